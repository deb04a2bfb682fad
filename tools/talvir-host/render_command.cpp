#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "instrument/parameters.h"
#include "tools/talvir-host/excitation_generator.h"
#include "tools/talvir-host/plugin_host.h"
#include "tools/talvir-host/render_analysis.h"
#include "tools/talvir-host/render_midi.h"
#include "tools/talvir-host/render_notes.h"
#include "tools/talvir-host/render_options.h"
#include "tools/talvir-host/render_scheduler.h"
#include "tools/talvir-host/render_setup.h"
#include "tools/talvir-host/smf_reader.h"
#include "tools/talvir-host/wav_file.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitError = 2;
constexpr int kMaxChannels = 8;
constexpr double kProgressAfterSeconds = 5.0;
constexpr double kDefaultSampleRate = 44100.0;

int fail(const std::string& why) {
    std::fprintf(stderr, "render: %s\n", why.c_str());
    return kExitError;
}

const char* formatName(CWavWriter::EFormat format) {
    switch (format) {
    case CWavWriter::EFormat::kPcm16:
        return "16-bit PCM";
    case CWavWriter::EFormat::kPcm24:
        return "24-bit PCM";
    default:
        return "32-bit float";
    }
}

// What the render plays: the timed MIDI events and the input signal.
struct CRenderPlan {
    double sampleRate = kDefaultSampleRate;
    std::vector<CFramedMidi> events;         // sent to the library as MIDI
    std::vector<CFramedMidi> programChanges; // carried out as program requests
    CAudioBuffer input;                      // empty without an input file
    CExcitationGenerator excitation;
    int64_t frames = 0;
};

bool preparePlan(const CRenderOptions& o, CRenderPlan& plan, std::string& error) {
    plan.sampleRate = o.sampleRate > 0.0 ? o.sampleRate : kDefaultSampleRate;
    if (!o.inputFile.empty()) {
        if (!readAudioFile(o.inputFile, plan.input, error)) {
            return false;
        }
        if (o.sampleRate > 0.0 && o.sampleRate != plan.input.sampleRate) {
            error = o.inputFile + " is at " + std::to_string(plan.input.sampleRate) +
                    " Hz but --rate asks for " + std::to_string(static_cast<int>(o.sampleRate)) +
                    " Hz; input is not resampled: leave out --rate to render at the file's rate";
            return false;
        }
        if (plan.input.sampleRate < 8000 || plan.input.sampleRate > 384000) {
            error = o.inputFile + ": unsupported sample rate " +
                    std::to_string(plan.input.sampleRate) + " Hz";
            return false;
        }
        plan.sampleRate = plan.input.sampleRate;
    } else if (!plan.excitation.configure(o.excitation, error)) {
        return false;
    }

    std::vector<CTimedMidi> timed = notesToEvents(o.notes);
    timed.insert(timed.end(), o.programChanges.begin(), o.programChanges.end());
    if (!o.midiFile.empty()) {
        CSmfReader reader;
        if (!reader.readFile(o.midiFile)) {
            error = reader.error();
            return false;
        }
        timed.insert(timed.end(), reader.events().begin(), reader.events().end());
    }
    for (const CFramedMidi& e : frameEvents(timed, plan.sampleRate)) {
        (isProgramChange(e.data) ? plan.programChanges : plan.events).push_back(e);
    }

    const double maxFrames = CRenderOptions::kMaxSeconds * plan.sampleRate;
    if (o.length > 0.0) {
        plan.frames = std::llround(o.length * plan.sampleRate);
    } else {
        int64_t end = 0;
        if (!plan.events.empty()) {
            end = lastEventFrame(plan.events) + std::llround(o.tail * plan.sampleRate);
        }
        end = std::max(end, plan.input.frames());
        if (plan.events.empty() && plan.input.frames() == 0) {
            error = "nothing to render: give notes (--note, --midi), an --input file or a --length";
            return false;
        }
        plan.frames = end;
    }
    if (plan.frames <= 0) {
        error = "nothing to render: the length is 0 frames";
        return false;
    }
    if (static_cast<double>(plan.frames) > maxFrames) {
        error = "the render would last longer than 3600 s; give a shorter --length";
        return false;
    }
    std::vector<int64_t> onsets;
    for (const CFramedMidi& e : plan.events) {
        if (isNoteOn(e.data)) {
            onsets.push_back(e.frame);
        }
    }
    plan.excitation.setGain(o.excitationGain);
    plan.excitation.prepare(plan.sampleRate, onsets);
    return true;
}

// Input signal of one block into both input buffers (channel 0 and 1; further inputs get
// channel 0's signal).
void fillInputs(CRenderPlan& plan, int64_t start, int n, std::vector<std::vector<float>>& in) {
    if (plan.input.channels == 0) {
        plan.excitation.fill(start, n, in[0].data());
        for (size_t c = 1; c < in.size(); ++c) {
            std::copy(in[0].begin(), in[0].begin() + n, in[c].begin());
        }
        return;
    }
    for (size_t c = 0; c < in.size(); ++c) {
        int source = std::min<int>(static_cast<int>(c), plan.input.channels - 1);
        for (int i = 0; i < n; ++i) {
            int64_t f = start + i;
            in[c][static_cast<size_t>(i)] =
                f < plan.input.frames() ? plan.input.at(f, source) : 0.0f;
        }
    }
}

class CProgressLine {
public:
    CProgressLine(bool shown, double totalSeconds) : shown_(shown), total_(totalSeconds) {}
    void update(double doneSeconds) {
        auto now = std::chrono::steady_clock::now();
        if (!shown_ || now - last_ < std::chrono::milliseconds(200)) {
            return;
        }
        last_ = now;
        std::fprintf(stderr, "\rrender: %3d%% (%.1f s of %.1f s)",
                     static_cast<int>(100.0 * doneSeconds / total_), doneSeconds, total_);
        std::fflush(stderr);
        drawn_ = true;
    }
    void finish() {
        if (drawn_) {
            std::fprintf(stderr, "\rrender: 100%% (%.1f s of %.1f s)\n", total_, total_);
        }
    }

private:
    bool shown_;
    double total_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point last_{};
};

int renderThroughLibrary(const CRenderOptions& o, CRenderPlan& plan) {
    CPluginHost host;
    if (!host.load(o.plugin)) {
        return fail(host.error());
    }
    AEffect* effect = host.record();
    if (effect->numOutputs < 1 || effect->numOutputs > 64 || effect->numInputs < 0 ||
        effect->numInputs > 64) {
        return fail("the library reports " + std::to_string(effect->numInputs) + " inputs and " +
                    std::to_string(effect->numOutputs) + " outputs");
    }
    const int inputs = effect->numInputs;
    const int outputs = effect->numOutputs;
    const int channels = std::min(outputs, kMaxChannels);
    const bool replacing = (effect->flags & effFlagsCanReplacing) != 0;

    std::string error;
    CWavWriter writer;
    const int rate = static_cast<int>(plan.sampleRate);
    if (!writer.open(o.output, rate, channels, o.format, error)) {
        return fail(error);
    }

    host.dispatch(effOpen);
    host.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(plan.sampleRate));
    host.dispatch(effSetBlockSize, 0, o.blockSize);
    if (o.program >= 0) {
        if (o.program >= effect->numPrograms) {
            return fail("the library has " + std::to_string(effect->numPrograms) + " programs");
        }
        host.dispatch(effSetProgram, 0, o.program);
    }
    if (!o.tuningFile.empty()) {
        if (!loadTuningFile(host, o.tuningFile, error)) {
            return fail(error);
        }
        std::string name, message;
        if (readTuningTexts(host, name, message)) {
            std::printf("tuning: %s\n", name.c_str());
            if (!message.empty()) {
                std::printf("tuning message: %s\n", message.c_str());
            }
        }
    }
    if (!applyParameters(host, o.params, error)) {
        return fail(error);
    }
    if (o.quality >= 0) {
        host.setParameter(kParamQuality, o.quality ? 1.0f : 0.0f);
    }
    const int polyphony = polyphonyOf(host);
    const std::string programName = host.text(effGetProgramName, 0, 64);
    host.dispatch(effMainsChanged, 0, 1);

    std::vector<std::vector<float>> in(static_cast<size_t>(std::max(inputs, 1)),
                                       std::vector<float>(static_cast<size_t>(o.blockSize)));
    std::vector<std::vector<float>> out(static_cast<size_t>(outputs),
                                        std::vector<float>(static_cast<size_t>(o.blockSize)));
    std::vector<float*> inPointers, outPointers;
    for (auto& b : in) {
        inPointers.push_back(b.data());
    }
    for (auto& b : out) {
        outPointers.push_back(b.data());
    }
    std::vector<float> interleaved(static_cast<size_t>(o.blockSize * channels));
    CBlockScheduler scheduler(plan.events);
    CLevelMeter meter(channels);
    CProgressLine progress(!o.quiet && plan.frames > kProgressAfterSeconds * plan.sampleRate,
                           static_cast<double>(plan.frames) / plan.sampleRate);
    const float gain = static_cast<float>(std::pow(10.0, o.outputGainDb / 20.0));
    size_t nextChange = 0;
    bool written = true;
    for (int64_t start = 0; start < plan.frames && written; start += o.blockSize) {
        const int n = static_cast<int>(std::min<int64_t>(o.blockSize, plan.frames - start));
        for (; nextChange < plan.programChanges.size() &&
               plan.programChanges[nextChange].frame < start + n;
             ++nextChange) {
            int program = plan.programChanges[nextChange].data[1];
            if (program < effect->numPrograms) {
                host.dispatch(effSetProgram, 0, program);
            }
        }
        const std::vector<VstMidiEvent>& events = scheduler.nextBlock(start, n);
        if (!events.empty()) {
            host.sendMidi(events);
        }
        fillInputs(plan, start, n, in);
        if (replacing) {
            host.processReplacing(inPointers.data(), outPointers.data(), n);
        } else {
            for (auto& b : out) {
                std::fill(b.begin(), b.end(), 0.0f);
            }
            host.process(inPointers.data(), outPointers.data(), n);
        }
        for (int i = 0; i < n; ++i) {
            for (int c = 0; c < channels; ++c) {
                interleaved[static_cast<size_t>(i * channels + c)] =
                    gain * out[static_cast<size_t>(c)][static_cast<size_t>(i)];
            }
        }
        meter.add(interleaved.data(), n);
        written = writer.write(interleaved.data(), n, error);
        progress.update(static_cast<double>(start + n) / plan.sampleRate);
    }
    progress.finish();
    host.dispatch(effMainsChanged, 0, 0);
    host.unload();
    if (!written || !writer.close(error)) {
        return fail(error);
    }

    std::printf("render: wrote %s (%d channels, %d Hz, %s, %lld frames, %.3f s)\n",
                o.output.c_str(), channels, rate, formatName(o.format),
                static_cast<long long>(meter.frames()),
                static_cast<double>(meter.frames()) / plan.sampleRate);
    std::printf("program: %s\n", programName.c_str());
    for (int c = 0; c < channels; ++c) {
        std::printf("channel %d: peak %.6f (%.1f dBFS), rms %.6f (%.1f dBFS)\n", c + 1,
                    meter.peak(c), toDecibels(meter.peak(c)), meter.rms(c),
                    toDecibels(meter.rms(c)));
    }
    int held = mostNotesHeld(plan.events);
    if (polyphony > 0) {
        std::printf("voices: %d (most notes held at once, capped by Polyphony %d)\n",
                    std::min(held, polyphony), polyphony);
    } else {
        std::printf("voices: %d (most notes held at once)\n", held);
    }
    if (meter.nonFinite() > 0) {
        std::printf("warning: %lld frames hold values that are not finite numbers\n",
                    static_cast<long long>(meter.nonFinite()));
    }
    return kExitOk;
}

} // namespace

int runRenderCommand(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    CRenderOptions options;
    std::string error;
    if (!parseRenderOptions(args, options, error)) {
        return fail(error);
    }
    if (options.help) {
        std::fputs(renderUsage(), stdout);
        return kExitOk;
    }
    CRenderPlan plan;
    if (!preparePlan(options, plan, error)) {
        return fail(error);
    }
    return renderThroughLibrary(options, plan);
}
