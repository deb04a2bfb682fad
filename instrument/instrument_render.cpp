#include "engine/body_filter.h"
#include "engine/voice.h"
#include "instrument/denormal_guard.h"
#include "instrument/instrument.h"

void CInstrument::process(float** inputs, float** outputs, int32_t sampleFrames) {
    renderBlock(inputs, outputs, sampleFrames, false);
}

void CInstrument::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    renderBlock(inputs, outputs, sampleFrames, true);
}

void CInstrument::renderBlock(float** inputs, float** outputs, int32_t sampleFrames,
                              bool replacing) {
    CDenormalGuard denormalGuard;
    const bool haveOutputs = outputs && outputs[0] && outputs[1];
    if (sampleFrames > 0 && haveOutputs) {
        // Missing input buffers are heard as silence.
        const float* inA = inputs && inputs[0] ? inputs[0] : nullptr;
        const float* inB = inputs && inputs[1] ? inputs[1] : nullptr;
        float* outL = outputs[0];
        float* outR = outputs[1];
        const float frames = static_cast<float>(sampleFrames);
        const float warpStep = (paramValues[kParamWarp] - warpCurrent) / frames;
        const float bendStep = (bendTarget - bendCurrent) / frames;
        for (int32_t k = 0; k < sampleFrames; ++k) {
            float left;
            float right;
            renderSample(inA ? inA[k] : 0.0f, inB ? inB[k] : 0.0f, left, right);
            const float gain = outputGain;
            const float l = left * gain;
            const float r = right * gain;
            if (replacing) {
                outL[k] = l;
                outR[k] = r;
            } else {
                outL[k] += l;
                outR[k] += r;
            }
            warpCurrent += warpStep;
            bendCurrent += bendStep;
        }
    }
    // Land exactly on the targets so that rounding does not accumulate from block to block.
    warpCurrent = paramValues[kParamWarp];
    bendCurrent = bendTarget;
}

void CInstrument::renderSample(float inA, float inB, float& left, float& right) {
    left = 0.0f;
    right = 0.0f;
    int32_t m = voiceLimit;
    m = m < 1 ? 1 : (m > kNumVoices ? kNumVoices : m);
    const float share = 1.0f / static_cast<float>(m);
    const float a = share * inA;
    const float b = share * inB;

    // Every voice runs up to its body filter; the filters then run two at a time (their long
    // recursions overlap), and the voices finish in order. Each voice's arithmetic is exactly
    // that of its own tick.
    bool sounding[kNumVoices];
    double bodyOut[kNumVoices];
    for (int32_t i = 0; i < m; ++i) {
        sounding[i] = voices[i] && voices[i]->beginTick(a, b);
    }
    int32_t waiting = -1;
    for (int32_t i = 0; i < m; ++i) {
        if (!sounding[i] || !voices[i]->bodyPending) {
            continue;
        }
        CVoice* v = voices[i];
        if (waiting < 0) {
            waiting = i;
            continue;
        }
        CVoice* w = voices[waiting];
        CBodyFilter::tickPair(*w->body, w->bodyInput, w->bodyWarp, w->bodyMorph, bodyOut[waiting],
                              *v->body, v->bodyInput, v->bodyWarp, v->bodyMorph, bodyOut[i]);
        waiting = -1;
    }
    if (waiting >= 0) {
        CVoice* w = voices[waiting];
        bodyOut[waiting] = w->body->tick(w->bodyInput, w->bodyWarp, w->bodyMorph);
    }
    for (int32_t i = 0; i < m; ++i) {
        CVoice* voice = voices[i];
        if (!voice) {
            continue;
        }
        const float s =
            sounding[i] ? voice->finishTick(voice->bodyPending ? bodyOut[i] : 0.0) : 0.0f;
        left += s * voice->pan;
        right += (1.0f - voice->pan) * s;
    }
    sampleCounter = static_cast<int32_t>(static_cast<uint32_t>(sampleCounter) + 1u);
}
