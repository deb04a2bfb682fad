#include <cmath>
#include <cstring>

#include "engine/envelope.h"
#include "engine/voice.h"
#include "instrument/instrument.h"

namespace {
constexpr int kStatusNoteOff = 0x80;
constexpr int kStatusNoteOn = 0x90;
constexpr int kStatusControl = 0xB0;
constexpr int kStatusPitchBend = 0xE0;
constexpr int kControllerVoicesOff = 126;
constexpr double kCentRatio = 1.0005777895;

int clampVoiceCount(int32_t n) {
    return n < 1 ? 1 : (n > CInstrument::kNumVoices ? CInstrument::kNumVoices : n);
}
} // namespace

int32_t CInstrument::processEvents(VstEvents* events) {
    if (!events) {
        return 1;
    }
    const int32_t count = events->numEvents;
    for (int32_t i = 0; i < count; ++i) {
        const VstEvent* event = events->events[i];
        if (!event || event->type != kVstMidiType) {
            continue;
        }
        // Every event record is at least as large as a MIDI event; copy it to read it as one.
        VstMidiEvent midi;
        static_assert(sizeof(VstMidiEvent) == sizeof(VstEvent), "event records share one size");
        std::memcpy(&midi, event, sizeof(midi));
        const int status = static_cast<uint8_t>(midi.midiData[0]) & 0xF0;
        const int data1 = static_cast<uint8_t>(midi.midiData[1]);
        const int data2 = static_cast<uint8_t>(midi.midiData[2]);

        if (status == kStatusNoteOn || status == kStatusNoteOff) {
            const int note = data1 & 0x7F;
            const int velocity = data2 & 0x7F;
            if (status == kStatusNoteOff || velocity == 0) {
                noteOff(sampleCounter, 0, note);
            } else {
                noteOn(sampleCounter, velocity, note, midi.detune, midi.deltaFrames);
            }
        } else if (status == kStatusPitchBend) {
            const float x =
                (static_cast<float>(data1 & 0x7F) / 128.0f + (data2 & 0x7F)) / 64.0f - 1.0f;
            bendTarget = static_cast<float>(std::pow(kCentRatio, -200.0 * x));
        } else if (status == kStatusControl) {
            if (data1 == kControllerVoicesOff) {
                for (CVoice* voice : voices) {
                    if (voice) {
                        voice->setState(kVoiceFree);
                    }
                }
            } else if (data1 < kNumControllers) {
                const int32_t parameter = controllerMap[data1];
                if (parameter >= 0 && parameter < kNumParams) {
                    setParameter(parameter, static_cast<float>(data2) * (1.0f / 127.0f));
                    updateDisplay();
                }
            }
        }
    }
    return 1;
}

void CInstrument::noteOn(int32_t /*time*/, int32_t velocity, int32_t note, int32_t detune,
                         int32_t deltaFrames) {
    const int n = clampVoiceCount(voiceLimit);
    int fallback = nextVoice;
    if (fallback < 0 || fallback >= n) {
        fallback = 0; // the rotation may point past a lowered Polyphony
    }
    int chosen = -1;
    // The first free voice without a pending note.
    for (int i = 0; i < n && chosen < 0; ++i) {
        if (voices[i] && voices[i]->state() == kVoiceFree && voices[i]->pendingCountdown < 0) {
            chosen = i;
        }
    }
    // Else the quietest voice below level 1.0 without a pending note.
    if (chosen < 0) {
        float lowest = 1.0f;
        for (int i = 0; i < n; ++i) {
            if (voices[i] && voices[i]->pendingCountdown < 0 && voices[i]->level() < lowest) {
                lowest = voices[i]->level();
                chosen = i;
            }
        }
    }
    // Else the voice with the lowest pending velocity (a voice without a pending note has 0).
    if (chosen < 0) {
        int32_t bound = 127;
        for (int i = 0; i < n; ++i) {
            if (voices[i] && voices[i]->pendingVelocity < bound) {
                bound = voices[i]->pendingVelocity;
                chosen = i;
            }
        }
    }
    if (chosen < 0) {
        chosen = fallback;
    }
    CVoice* voice = voices[chosen];
    if (!voice) {
        return;
    }
    // A negative offset would leave the note pending forever: it starts with the block instead.
    voice->pendingCountdown = deltaFrames < 0 ? 0 : deltaFrames;
    voice->pendingNote = note;
    voice->pendingDetune = detune;
    // A stamp of 0 means "no pending note": a note arriving while the counter reads 0 (before
    // the first rendered sample, or once per wrap) is stamped 1 instead so that it still starts.
    voice->pendingStamp = sampleCounter != 0 ? sampleCounter : 1;
    voice->pendingVelocity = velocity;
    nextVoice = (chosen + 1) % n;
}

void CInstrument::noteOff(int32_t /*time*/, int32_t /*unused*/, int32_t note) {
    for (CVoice* voice : voices) {
        if (voice && voice->note == note) {
            voice->ampEnv->release();
            voice->morphEnv->release();
        }
    }
}
