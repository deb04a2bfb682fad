#pragma once
#include <string>
#include <utility>
#include <vector>

#include "tools/talvir-host/render_notes.h"
#include "tools/talvir-host/wav_file.h"

// Everything `talvir-host render` is asked to do, as read from its command line.
struct CRenderOptions {
    static constexpr int kDefaultBlockSize = 512;
    static constexpr int kMaxBlockSize = 16384;
    static constexpr double kDefaultTail = 2.0;
    static constexpr double kMaxSeconds = 3600.0;

    std::string plugin;
    std::string output = "render.wav";
    std::string inputFile;
    std::string excitation = "burst";
    float excitationGain = 0.5f;
    std::string midiFile;
    std::vector<CNoteRequest> notes;
    int program = -1;                                  // -1: keep the library's current program
    std::vector<CTimedMidi> programChanges;            // --program-at, as MIDI program changes
    std::vector<std::pair<std::string, float>> params; // index or name, value
    double sampleRate = 0.0;                           // 0: the input file's rate, else 44100
    int blockSize = kDefaultBlockSize;
    int quality = -1;    // -1: as the program says, 0 low, 1 high
    double length = 0.0; // 0: up to the last note-off plus the tail
    double tail = kDefaultTail;
    std::string tuningFile;
    CWavWriter::EFormat format = CWavWriter::EFormat::kFloat32;
    double outputGainDb = 0.0; // applied to what the library returns before it is written
    bool quiet = false;
    bool help = false;
};

// Reads the arguments after "render". On failure answers false with the reason in error.
bool parseRenderOptions(const std::vector<std::string>& args, CRenderOptions& options,
                        std::string& error);

// The text printed by --help.
const char* renderUsage();
