#include "tools/talvir-host/render_options.h"
#include "tools/talvir-host/render_numbers.h"

#include <cmath>

const char* renderUsage() {
    return "usage: talvir-host render PLUGIN.so [options]\n"
           "Renders audio through the library as a host does: opens it, sets the sample\n"
           "rate and block size, switches it on, plays the notes through MIDI event blocks\n"
           "with sample offsets, and writes what it returns to a WAV file.\n"
           "\n"
           "Notes (any number of both kinds):\n"
           "  --midi FILE          Standard MIDI File, format 0 or 1: notes, pitch bend and\n"
           "                       controllers of every channel, with its tempo map\n"
           "  --note N:S:L[:V]     note N (0-127) from S seconds for L seconds, velocity V\n"
           "                       (1-127, default 100); repeatable\n"
           "Input (what rings in the strings):\n"
           "  --input FILE         an audio file libsndfile reads; mono feeds both inputs.\n"
           "                       Without --rate the render runs at the file's rate; a\n"
           "                       different --rate is refused (no resampling)\n"
           "  --excite KIND        built-in input when no file is given: burst (10 ms of\n"
           "                       noise at each note-on, default), impulse (one sample at\n"
           "                       each note-on), sine[:HZ] (steady, default 220 Hz), silence\n"
           "  --excite-gain G      amplitude of the built-in input (default 0.5)\n"
           "Instrument:\n"
           "  --program N          program 0-31 (0-7 are the factory presets)\n"
           "  --program-at S:N     switch to program N at S seconds (at the start of the\n"
           "                       block holding that time); repeatable. Program changes\n"
           "                       in a MIDI file switch programs the same way\n"
           "  --param I=V          set parameter I (0-37) to V; I may also be the name the\n"
           "  --param NAME=V       library reports (matched trimmed, any case); repeatable,\n"
           "                       applied after --program, before any later switch\n"
           "  --quality low|high   sets the Quality parameter (37)\n"
           "  --tuning FILE.tun    stores the file in the current program and reloads its\n"
           "                       tuning through the library, then prints its name\n"
           "Render:\n"
           "  --rate HZ            sample rate (8000-384000, default 44100 or the file's)\n"
           "  --block N            block size, 1-16384 frames (default 512)\n"
           "  --length S           seconds to render (default: the last note-off plus the\n"
           "                       tail, or the input file's length)\n"
           "  --tail S             seconds after the last note-off (default 2)\n"
           "  -o, --output FILE    output WAV (default render.wav), 32-bit float unless\n"
           "  --pcm16, --pcm24     16- or 24-bit PCM (clipped at full scale)\n"
           "  --gain DB            gain applied to the output before it is written\n"
           "  --quiet              no progress line\n"
           "\n"
           "The summary gives peak and RMS level per channel and the voices used: the most\n"
           "notes held at the same time, capped by the Polyphony setting (a note-off ends\n"
           "every held note of its number). Released notes that still ring are not counted.\n"
           "A note-off that falls in the same block as its own note-on is delivered at the\n"
           "start of the next block, so that notes shorter than a block do not hang.\n"
           "Exit status: 0 rendered, 2 bad options, files or library.\n";
}

bool parseRenderOptions(const std::vector<std::string>& args, CRenderOptions& options,
                        std::string& error) {
    CRenderOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = "option " + a + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        auto seconds = [&](double& out, bool zeroAllowed) {
            std::string v;
            if (!value(v)) {
                return false;
            }
            if (!parseNumber(v, out) || out < 0.0 || (!zeroAllowed && out == 0.0) ||
                out > CRenderOptions::kMaxSeconds) {
                error = "bad " + a + " \"" + v + "\": seconds " +
                        (zeroAllowed ? "from 0" : "above 0") + " up to 3600";
                return false;
            }
            return true;
        };
        std::string v;
        if (a == "-h" || a == "--help") {
            o.help = true;
        } else if (a == "-o" || a == "--output") {
            if (!value(o.output)) {
                return false;
            }
        } else if (a == "--input") {
            if (!value(o.inputFile)) {
                return false;
            }
        } else if (a == "--excite") {
            if (!value(o.excitation)) {
                return false;
            }
        } else if (a == "--excite-gain") {
            double g;
            if (!value(v)) {
                return false;
            }
            if (!parseNumber(v, g) || g < 0.0 || g > 100.0) {
                error = "bad --excite-gain \"" + v + "\": a gain from 0 to 100";
                return false;
            }
            o.excitationGain = static_cast<float>(g);
        } else if (a == "--midi") {
            if (!value(o.midiFile)) {
                return false;
            }
        } else if (a == "--note") {
            CNoteRequest note;
            if (!value(v) || !parseNoteText(v, note, error)) {
                return false;
            }
            o.notes.push_back(note);
        } else if (a == "--program") {
            if (!value(v)) {
                return false;
            }
            if (!parseWhole(v, 0, 31, o.program)) {
                error = "bad --program \"" + v + "\": a program number from 0 to 31";
                return false;
            }
        } else if (a == "--program-at") {
            if (!value(v)) {
                return false;
            }
            size_t colon = v.find(':');
            double at;
            int program;
            if (colon == std::string::npos || !parseNumber(v.substr(0, colon), at) || at < 0.0 ||
                at > CRenderOptions::kMaxSeconds ||
                !parseWhole(v.substr(colon + 1), 0, 127, program)) {
                error = "bad --program-at \"" + v + "\" (expected SECONDS:PROGRAM)";
                return false;
            }
            CTimedMidi change;
            change.seconds = at;
            change.data[0] = 0xC0;
            change.data[1] = static_cast<uint8_t>(program);
            o.programChanges.push_back(change);
        } else if (a == "--param") {
            if (!value(v)) {
                return false;
            }
            size_t eq = v.rfind('=');
            double x;
            if (eq == std::string::npos || eq == 0 || !parseNumber(v.substr(eq + 1), x)) {
                error = "bad --param \"" + v + "\" (expected INDEX=VALUE or NAME=VALUE)";
                return false;
            }
            o.params.emplace_back(v.substr(0, eq), static_cast<float>(x));
        } else if (a == "--quality") {
            if (!value(v)) {
                return false;
            }
            if (v == "low" || v == "0") {
                o.quality = 0;
            } else if (v == "high" || v == "1") {
                o.quality = 1;
            } else {
                error = "bad --quality \"" + v + "\" (low or high)";
                return false;
            }
        } else if (a == "--tuning") {
            if (!value(o.tuningFile)) {
                return false;
            }
        } else if (a == "--rate") {
            if (!value(v)) {
                return false;
            }
            int rate;
            if (!parseWhole(v, 8000, 384000, rate)) {
                error = "bad --rate \"" + v + "\": a whole rate from 8000 to 384000 Hz";
                return false;
            }
            o.sampleRate = rate;
        } else if (a == "--block") {
            if (!value(v)) {
                return false;
            }
            if (!parseWhole(v, 1, CRenderOptions::kMaxBlockSize, o.blockSize)) {
                error = "bad --block \"" + v + "\": a block size from 1 to 16384 frames";
                return false;
            }
        } else if (a == "--length") {
            if (!seconds(o.length, false)) {
                return false;
            }
        } else if (a == "--tail") {
            if (!seconds(o.tail, true)) {
                return false;
            }
        } else if (a == "--gain") {
            if (!value(v)) {
                return false;
            }
            if (!parseNumber(v, o.outputGainDb) || o.outputGainDb < -120.0 ||
                o.outputGainDb > 60.0) {
                error = "bad --gain \"" + v + "\": decibels from -120 to 60";
                return false;
            }
        } else if (a == "--pcm16") {
            o.format = CWavWriter::EFormat::kPcm16;
        } else if (a == "--pcm24") {
            o.format = CWavWriter::EFormat::kPcm24;
        } else if (a == "--float") {
            o.format = CWavWriter::EFormat::kFloat32;
        } else if (a == "--quiet") {
            o.quiet = true;
        } else if (!a.empty() && a[0] == '-') {
            error = "unknown option " + a + " (see talvir-host render --help)";
            return false;
        } else if (o.plugin.empty()) {
            o.plugin = a;
        } else {
            error = "more than one library given: " + o.plugin + " and " + a;
            return false;
        }
    }
    if (!o.help && o.plugin.empty()) {
        error = "no library given (usage: talvir-host render PLUGIN.so [options])";
        return false;
    }
    if (o.output.empty()) {
        error = "empty output file name";
        return false;
    }
    options = o;
    return true;
}
