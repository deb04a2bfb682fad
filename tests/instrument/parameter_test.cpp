#include <cmath>
#include <limits>

#include "tests/instrument/instrument_fixture.h"

namespace {

using ParameterTexts = InstrumentTest;

struct STextCase {
    int index;
    float value;
    const char* name;
    const char* label;
    const char* display;
};

TEST_F(ParameterTexts, NameLabelAndDisplayOfEachKind) {
    const STextCase cases[] = {
        {0, 0.25f, " Bright ", "        ", "0.2500"},
        {1, 0.5f, " Attack ", "    s   ", "4.0000"},
        {6, 0.5f, "LFO A Freq", "untouched", "50.00 Hz"},
        {6, 0.05f, "LFO A Freq", "untouched", "0.500 Hz"},
        {6, 0.005f, "LFO A Freq", "untouched", "0.0050 Hz"},
        {6, 1.0f, "LFO A Freq", "untouched", "200.0 Hz"},
        {8, 0.1f, " Lkg A->B", " (gain) ", "0.1000"},
        {9, 0.5f, "Noise", "        ", "--nq--"},
        {9, 0.25f, "Quantize", "        ", "64 Q"},
        {9, 0.75f, "Noise", "        ", "64 N"},
        {11, 0.6f, "Line B Polarity", "untouched", "positive"},
        {11, 0.5f, "Line B Polarity", "untouched", "negative"},
        {12, 0.5f, "Detune B", "        ", "6.0000"},
        {19, 0.49f, "Filter Pos", "        ", "leakage"},
        {19, 0.5f, "Filter Pos", "        ", "output"},
        {20, 0.5f, "Flt. Ord", "  taps  ", "     15"},
        {25, 0.2f, "BdyType1", "        ", "Guitar 2"},
        {26, 1.0f, "BdyType2", "        ", "n-Random"},
        {29, 0.5f, "Filter Sustain", "    %   ", "50.0000"},
        {34, 0.456f, " Mix    ", "        ", "0.46"},
        {35, 1.0f, " Volume ", "   dB   ", "0.000000"},
        {35, 0.0f, " Volume ", "   dB   ", "-oo"},
        {36, 1.0f, "Polyphony", " voices ", "      8"},
        {37, 1.0f, "Quality", "untouched", ""},
    };
    for (const STextCase& c : cases) {
        instrument->setParameter(c.index, c.value);
        EXPECT_EQ(name(c.index), c.name) << c.index << " " << c.value;
        EXPECT_EQ(label(c.index), c.label) << c.index;
        EXPECT_EQ(display(c.index), c.display) << c.index << " " << c.value;
    }
}

TEST_F(ParameterTexts, IndicesWithoutParameter) {
    for (int index : {-1, 38, 39, 1000}) {
        EXPECT_EQ(name(index), "") << index;
        EXPECT_EQ(label(index), "untouched") << index;
        EXPECT_EQ(display(index), "") << index;
    }
}

TEST_F(ParameterTexts, HugeValuesStayInsideTheText) {
    for (int index = 0; index < kNumParams; ++index) {
        instrument->setParameter(index, 1e30f);
        EXPECT_LE(display(index).size(), 15u) << index;
        instrument->setParameter(index, -1e30f);
        EXPECT_LE(display(index).size(), 15u) << index;
    }
}

using ParameterRules = InstrumentTest;

struct SIntRule {
    int index;
    float value;
    int expected;
};

TEST_F(ParameterRules, ClampedIntegerFields) {
    const float inf = std::numeric_limits<float>::infinity();
    const SIntRule cases[] = {
        {36, 1.0f, 8},  {36, 0.99f, 7}, {36, 0.0f, 1},  {36, 5.0f, 8},
        {36, -3.0f, 1}, {36, inf, 8},   {36, -inf, 1},  {20, 0.0f, 1},
        {20, 1.0f, 30}, {20, 0.5f, 15}, {20, 7.0f, 30}, {20, -inf, 1},
    };
    for (const SIntRule& c : cases) {
        instrument->setParameter(c.index, c.value);
        const int field = c.index == 36 ? instrument->voiceLimit : instrument->filterOrder;
        EXPECT_EQ(field, c.expected) << c.index << " " << c.value;
        // The value itself is kept as given.
        EXPECT_EQ(instrument->getParameter(c.index), c.value);
    }
}

TEST_F(ParameterRules, BodyTypesStoreTheMiddleOfTheirInterval) {
    instrument->setParameter(kParamBodyType1, 0.2f);
    EXPECT_FLOAT_EQ(instrument->getParameter(kParamBodyType1), 0.2083333f);
    EXPECT_TRUE(instrument->body1On);
    instrument->setParameter(kParamBodyType2, 0.05f);
    EXPECT_FALSE(instrument->body2On);
    instrument->setParameter(kParamBodyType2, 1.0f);
    EXPECT_FLOAT_EQ(instrument->getParameter(kParamBodyType2), 12.5f / 12.0f);
    // Beyond the table: the highest or lowest code.
    instrument->setParameter(kParamBodyType1, 40.0f);
    EXPECT_FLOAT_EQ(instrument->getParameter(kParamBodyType1), 12.5f / 12.0f);
    instrument->setParameter(kParamBodyType1, -3.0f);
    EXPECT_FLOAT_EQ(instrument->getParameter(kParamBodyType1), 0.5f / 12.0f);
    EXPECT_FALSE(instrument->body1On);
    // The current program holds the quantised value too.
    EXPECT_FLOAT_EQ(instrument->programs[0].values[kParamBodyType1], 0.5f / 12.0f);
}

TEST_F(ParameterRules, DerivedFields) {
    CInstrument& i = *instrument;
    i.setParameter(kParamCutoffA, 0.2f);
    EXPECT_FLOAT_EQ(i.cutoffACoef, 0.76f);
    i.setParameter(kParamSaturationB, 0.5f);
    EXPECT_FLOAT_EQ(i.satBCubed, 0.125f);
    i.setParameter(kParamLeakAB, 0.0f);
    EXPECT_FALSE(i.leakABOn);
    i.setParameter(kParamLeakBA, 0.5f);
    EXPECT_TRUE(i.leakBAOn);
    EXPECT_FLOAT_EQ(i.leakBASquared, 0.25f);
    i.setParameter(kParamQuantizeNoise, 0.5f);
    EXPECT_FALSE(i.quantizeNoiseOn);
    EXPECT_FLOAT_EQ(i.quantizeNoiseScale, 1.0f / 16.0f);
    i.setParameter(kParamQuantizeNoise, 0.52f);
    EXPECT_TRUE(i.quantizeNoiseOn);
    i.setParameter(kParamDetuneB, 1.0f);
    EXPECT_NEAR(i.detuneFactor, 2.0f, 1e-4f);
    i.setParameter(kParamMix, 0.25f);
    EXPECT_FLOAT_EQ(i.mixComplement, 0.75f);
    i.setParameter(kParamVolume, 0.5f);
    EXPECT_FLOAT_EQ(i.outputGain, 0.0625f);
    i.setParameter(kParamQuality, 0.5f);
    EXPECT_FALSE(i.highQuality);
    i.setParameter(kParamQuality, 0.51f);
    EXPECT_TRUE(i.highQuality);
}

TEST_F(ParameterRules, NaNChangesNothing) {
    const float before = instrument->getParameter(kParamVolume);
    const float gain = instrument->outputGain;
    instrument->setParameter(kParamVolume, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(instrument->getParameter(kParamVolume), before);
    EXPECT_EQ(instrument->outputGain, gain);
    EXPECT_EQ(instrument->programs[0].values[kParamVolume], before);
}

} // namespace
