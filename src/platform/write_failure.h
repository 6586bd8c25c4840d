#pragma once
#include <string>

// Why a file could not be written, in the current language, from the errno of the
// failed write (see LastWriteError): a full disk, a folder or file that refuses
// writing, a folder that is gone, or else the system's own words.
std::string WriteFailureReason(int error);
