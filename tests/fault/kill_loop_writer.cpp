// The writer and checker of scripts/kill-loop.
//   kill_loop_writer write DIR   writes the settings file, the thumbnail index and a data
//                                file in DIR, generation after generation, until killed
//   kill_loop_writer once DIR    writes the next generation once and ends
//   kill_loop_writer check DIR   reads each file back, takes its generation from what it
//                                holds, makes that generation again in a scratch folder
//                                and compares byte for byte; exit 1 when a file is not
//                                exactly one whole generation
// Every generation's files follow from its number alone, so a file that is whole is
// identical to the one made again.
#include "images/dib_image.h"
#include "images/thumbnail_store.h"
#include "model/measure_chain.h"
#include "platform/profile.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

constexpr int kGenerations = 250;

std::string Settings(const std::string& dir) { return dir + "/Mirelta.ini"; }
std::string Index(const std::string& dir) { return dir + "/ThumbNail"; }
std::string Data(const std::string& dir) { return dir + "/results.mes"; }

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteSettings(const std::string& dir, int k) {
    Profile profile(Settings(dir));
    Profile::Batch batch(profile);
    for (int s = 0; s < 30; ++s) {
        const std::string section = "Section" + std::to_string(s);
        profile.WriteInt(section, "Gen", k);
        profile.WriteString(section, "Text", std::string(static_cast<std::size_t>(k % 97 + s), 'a' + k % 26));
    }
    batch.commit();
}

void WriteIndex(const std::string& dir, int k) {
    CThumbNail list;
    CDibImage picture;
    picture.create(280, 210, 24);
    picture.fillRect(RGB(k, 255 - k, k / 2));
    for (int i = 0; i < k % 5 + 1; ++i) {
        const std::string path = dir + "/p" + std::to_string(i) + ".bmp";
        if (access(path.c_str(), F_OK) != 0)
            std::ofstream(path) << "";
        list.AddThumbnail(path, picture);
    }
    list.SaveIndex(Index(dir));
}

void WriteData(const std::string& dir, int k) {
    std::srand(static_cast<unsigned>(k)); // the record ids draw on it
    CMeasureChain chain;
    for (int i = 0; i < k % 7 + 1; ++i) {
        MEASURE m;
        m.kind = -1; // a finished LINE
        m.pointCount = 2;
        const DPOINT pts[2] = {{static_cast<double>(k), static_cast<double>(i)}, {k + 100.0, i + 50.0}};
        m.points.Write(0, pts, 2);
        m.value[0] = k * 1.5;
        chain.AddNode(&m);
    }
    chain.Write(Data(dir));
}

void WriteGeneration(const std::string& dir, int k) {
    WriteSettings(dir, k);
    WriteIndex(dir, k);
    WriteData(dir, k);
}

// The generation each file holds, read back by the program's own readers; -1 when a
// file does not read back.
int SettingsGeneration(const std::string& dir) {
    Profile profile(Settings(dir));
    return profile.GetInt("Section0", "Gen", -1);
}
int IndexGeneration(const std::string& dir) {
    CThumbNail list;
    if (list.LoadIndex(Index(dir)) != 1 || !list.At(0))
        return -1;
    return list.At(0)->image.scanLine(0)[2]; // red holds the generation
}
int DataGeneration(const std::string& dir) {
    CMeasureChain chain;
    if (chain.Read(Data(dir)) != 1 || chain.MoveFirst() == 0 || chain.current->points.empty())
        return -1;
    return static_cast<int>(chain.current->points[0].x);
}

int Check(const std::string& dir) {
    struct File {
        const char* name;
        std::string (*path)(const std::string&);
        int (*generation)(const std::string&);
        void (*write)(const std::string&, int);
    };
    const File files[] = {{"settings", Settings, SettingsGeneration, WriteSettings},
                          {"index", Index, IndexGeneration, WriteIndex},
                          {"data", Data, DataGeneration, WriteData}};
    char tmpl[] = "/tmp/mirelta-kill-check-XXXXXX";
    const std::string scratch = mkdtemp(tmpl);
    int bad = 0;
    for (const File& f : files) {
        const int k = f.generation(dir);
        bool whole = k >= 0 && k < kGenerations;
        if (whole) {
            f.write(scratch, k);
            whole = ReadAll(f.path(dir)) == ReadAll(f.path(scratch));
        }
        std::printf("%s %s %d\n", f.name, whole ? "whole" : "BROKEN", k);
        bad += whole ? 0 : 1;
    }
    std::system(("rm -rf '" + scratch + "'").c_str());
    return bad == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s write|check DIR\n", argv[0]);
        return 2;
    }
    const std::string mode = argv[1];
    const std::string dir = argv[2];
    if (mode == "check")
        return Check(dir);
    if (mode != "write" && mode != "once")
        return 2;
    // Whole generations first, so every later kill finds an old file to keep.
    int k = SettingsGeneration(dir);
    if (k < 0)
        WriteGeneration(dir, k = 0);
    do {
        k = (k + 1) % kGenerations;
        WriteGeneration(dir, k);
    } while (mode == "write");
    return 0;
}
