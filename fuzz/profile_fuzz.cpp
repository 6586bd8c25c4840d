// Reads an arbitrary file as the settings file, writes into it, and checks that the
// written keys read back and that every other value reads as it did before.
#include "platform/ascii.h"
#include "platform/ini_document.h"
#include "platform/profile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

std::string g_folder;

void RemoveFolder() {
    const std::string file = g_folder + "/Mirelta.ini";
    unlink(file.c_str());
    rmdir(g_folder.c_str()); // fails, harmlessly, if a temporary file was left behind
}

const std::string& FuzzFile() {
    static const std::string path = [] {
        // tmpfs first: every write is flushed to disk, which a real disk makes slow.
        const char* const bases[] = {"/dev/shm", std::getenv("TMPDIR"), "/tmp"};
        for (const char* base : bases) {
            if (!base || !*base)
                continue;
            std::string tmpl = std::string(base) + "/mirelta-profile-fuzz-XXXXXX";
            if (mkdtemp(tmpl.data())) {
                g_folder = tmpl;
                std::atexit(RemoveFolder);
                return tmpl + "/Mirelta.ini";
            }
        }
        std::abort();
    }();
    return path;
}

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "profile fuzz: %s\n", what);
        __builtin_trap();
    }
}

bool SameName(std::string_view a, std::string_view b) { return EqualsNoCase(TrimBlanks(a), TrimBlanks(b)); }

const char* const kMissing = "\x01missing";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = FuzzFile();
    {
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        Check(fd >= 0, "cannot write the input file");
        Check(write(fd, data, size) == static_cast<ssize_t>(size), "short write of the input file");
        close(fd);
    }
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // Names to probe: fixed ones and two taken from the input's first line.
    std::vector<std::pair<std::string, std::string>> probes = {
        {"Mirelta", "type"}, {"MIRELTA", "Type"}, {"CALIBRATION", "name_0"}, {"Camera", "WB_RED"},
        {"", "key"},         {"a", "a"},          {"A", "b"},                {"Fuzz", "written"},
    };
    const std::string_view firstLine = input.substr(0, input.find('\n'));
    const size_t cut = firstLine.size() / 2;
    const std::string derivedSection(firstLine.substr(0, cut));
    const std::string derivedKey(firstLine.substr(cut));
    probes.emplace_back(derivedSection, derivedKey);
    probes.emplace_back("Mirelta", derivedKey);

    Profile profile(path);
    std::vector<std::string> before;
    for (const auto& [section, key] : probes) {
        before.push_back(profile.GetString(section, key, kMissing));
        (void)profile.GetInt(section, key, -1);
        (void)profile.ReadReal(section, key, 1.5);
        (void)profile.ReadGuid(section, key, GUID{});
        (void)profile.GetString(section, key, "", 32);
    }

    // Writes: a fixed key, and an int under the derived names when they can be stored.
    const bool derivedWritable = IniDocument::IsWritableSection(TrimBlanks(derivedSection)) &&
                                 IniDocument::IsWritableKey(TrimBlanks(derivedKey));
    {
        Profile::Batch batch(profile);
        Check(profile.WriteString("Fuzz", "written", "  value 1 "), "write refused");
        Check(profile.WriteInt(derivedSection, derivedKey, 77) == derivedWritable, "write validity");
        Check(batch.commit(), "commit failed");
    }

    Profile fresh(path);
    Check(fresh.GetString("Fuzz", "written", kMissing) == "  value 1 ", "written text does not read back");
    if (derivedWritable)
        Check(fresh.GetInt(derivedSection, derivedKey, -1) == 77, "written int does not read back");
    for (size_t i = 0; i < probes.size(); ++i) {
        const auto& [section, key] = probes[i];
        const bool written = (SameName(section, "Fuzz") && SameName(key, "written")) ||
                             (derivedWritable && SameName(section, derivedSection) && SameName(key, derivedKey));
        if (!written)
            Check(fresh.GetString(section, key, kMissing) == before[i], "another value changed");
    }

    // Deleting the fixed key again hides it and leaves the rest alone.
    Check(fresh.DeleteKey("Fuzz", "written"), "delete failed");
    Check(Profile(path).GetString("Fuzz", "written", kMissing) == kMissing, "deleted key still reads");
    return 0;
}
