#pragma once
#include "temp_dir.h"

#include <clocale>
#include <cstdlib>
#include <memory>
#include <string>

// Switches the whole process to a locale for the duration of a test and back to "C".
// Locales that are not installed are compiled into a private folder with localedef
// (LOCPATH), so the test does not depend on the machine's installed locales.
class ScopedLocale {
public:
    // name like "de_DE.UTF-8"; source and charmap as localedef takes them ("de_DE", "UTF-8").
    ScopedLocale(const std::string& name, const std::string& source, const std::string& charmap) {
        if (std::setlocale(LC_ALL, name.c_str())) {
            m_ok = true;
            return;
        }
        m_dir = std::make_unique<TempDir>();
        const std::string cmd = "localedef -c -i " + source + " -f " + charmap + " '" + m_dir->path() + "/" +
                                name + "' >/dev/null 2>&1";
        if (std::system(cmd.c_str()) == -1)
            return;
        setenv("LOCPATH", m_dir->path().c_str(), 1);
        m_ok = std::setlocale(LC_ALL, name.c_str()) != nullptr;
    }
    ~ScopedLocale() {
        std::setlocale(LC_ALL, "C");
        if (m_dir)
            unsetenv("LOCPATH");
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    bool ok() const { return m_ok; }

private:
    std::unique_ptr<TempDir> m_dir;
    bool m_ok = false;
};
