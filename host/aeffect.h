#pragma once
#include <cstddef>
#include <cstdint>

// The binary interface between a VST 2 host and the plug-in: the host record, the event
// records, the editor rectangle, the request codes in both directions and the callback type.
// Pointer-sized entries are 32 bits wide in a 32-bit build and 64 bits wide in a 64-bit build.

struct AEffect;

// Host callback: (record or null, opcode, index, value, ptr, opt) -> answer.
using audioMasterCallback = intptr_t (*)(AEffect* effect, int32_t opcode, int32_t index,
                                         intptr_t value, void* ptr, float opt);
using AEffectDispatcherProc = intptr_t (*)(AEffect* effect, int32_t opcode, int32_t index,
                                           intptr_t value, void* ptr, float opt);
using AEffectProcessProc = void (*)(AEffect* effect, float** inputs, float** outputs,
                                    int32_t sampleFrames);
using AEffectSetParameterProc = void (*)(AEffect* effect, int32_t index, float value);
using AEffectGetParameterProc = float (*)(AEffect* effect, int32_t index);

constexpr int32_t fourCharCode(char a, char b, char c, char d) {
    return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint8_t>(a)) << 24) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 16) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 8) |
                                static_cast<uint32_t>(static_cast<uint8_t>(d)));
}

constexpr int32_t kEffectMagic = fourCharCode('V', 's', 't', 'P');

struct AEffect {
    int32_t magic;
    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process;
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;
    int32_t numPrograms;
    int32_t numParams;
    int32_t numInputs;
    int32_t numOutputs;
    int32_t flags;
    intptr_t resvd1;
    intptr_t resvd2;
    int32_t initialDelay;
    int32_t realQualities;
    int32_t offQualities;
    float ioRatio;
    void* object;
    void* user;
    int32_t uniqueID;
    int32_t version;
    AEffectProcessProc processReplacing;
    char future[60];
};

// AEffect flags.
enum : int32_t {
    effFlagsHasEditor = 1 << 0,
    effFlagsHasClip = 1 << 1,
    effFlagsHasVu = 1 << 2,
    effFlagsCanMono = 1 << 3,
    effFlagsCanReplacing = 1 << 4,
    effFlagsProgramChunks = 1 << 5,
    effFlagsIsSynth = 1 << 8,
    effFlagsNoSoundInStop = 1 << 9,
};

// One event of an event block; type 1 is a MIDI event.
struct VstEvent {
    int32_t type;
    int32_t byteSize;
    int32_t deltaFrames;
    int32_t flags;
    char data[16];
};

constexpr int32_t kVstMidiType = 1;

struct VstMidiEvent {
    int32_t type;
    int32_t byteSize;
    int32_t deltaFrames;
    int32_t flags;
    int32_t noteLength;
    int32_t noteOffset;
    char midiData[4];
    int8_t detune;
    int8_t noteOffVelocity;
    int8_t reserved1;
    int8_t reserved2;
};

// A block of events; the host allocates as many pointers as numEvents says.
struct VstEvents {
    int32_t numEvents;
    intptr_t reserved;
    VstEvent* events[2];
};

// Output or input description (opcode effGetOutputProperties).
struct VstPinProperties {
    char label[64];
    int32_t flags;
    int32_t arrangementType;
    char shortLabel[8];
    char future[48];
};

enum : int32_t {
    kVstPinIsActive = 1 << 0,
    kVstPinIsStereo = 1 << 1,
};

// Editor rectangle.
struct ERect {
    int16_t top;
    int16_t left;
    int16_t bottom;
    int16_t right;
};

// Key record handed to the editor by effEditKeyDown and effEditKeyUp.
struct VstKeyCode {
    int32_t character;
    uint8_t virt;
    uint8_t modifier;
};

// Requests of the host to the plug-in (dispatcher opcodes).
enum : int32_t {
    effOpen = 0,
    effClose = 1,
    effSetProgram = 2,
    effGetProgram = 3,
    effSetProgramName = 4,
    effGetProgramName = 5,
    effGetParamLabel = 6,
    effGetParamDisplay = 7,
    effGetParamName = 8,
    effGetVu = 9,
    effSetSampleRate = 10,
    effSetBlockSize = 11,
    effMainsChanged = 12,
    effEditGetRect = 13,
    effEditOpen = 14,
    effEditClose = 15,
    effEditIdle = 19,
    effIdentify = 22,
    effGetChunk = 23,
    effSetChunk = 24,
    effProcessEvents = 25,
    effCanBeAutomated = 26,
    effString2Parameter = 27,
    effGetNumProgramCategories = 28,
    effGetProgramNameIndexed = 29,
    effCopyProgram = 30,
    effConnectInput = 31,
    effConnectOutput = 32,
    effGetInputProperties = 33,
    effGetOutputProperties = 34,
    effGetPlugCategory = 35,
    effSetBlockSizeAndSampleRate = 43,
    effGetEffectName = 45,
    effGetVendorString = 47,
    effGetProductString = 48,
    effGetVendorVersion = 49,
    effVendorSpecific = 50,
    effCanDo = 51,
    effKeysRequired = 57,
    effGetVstVersion = 58,
    effEditKeyDown = 59,
    effEditKeyUp = 60,
    effSetEditKnobMode = 61,
    effGetCurrentMidiProgram = 63,
    effGetSpeakerArrangement = 69,
    effSetTotalSampleToProcess = 73,
    effLastKnownOpcode = 76,
};

// Requests of the plug-in to the host (audioMaster opcodes).
enum : int32_t {
    audioMasterAutomate = 0,
    audioMasterVersion = 1,
    audioMasterCurrentId = 2,
    audioMasterIdle = 3,
    audioMasterPinConnected = 4,
    audioMasterWantMidi = 6,
    audioMasterUpdateDisplay = 42,
    audioMasterBeginEdit = 43,
    audioMasterEndEdit = 44,
};

// Text sizes of host buffers, terminator included.
constexpr int kVstParamTextSize = 16;
constexpr int kVstProgramNameSize = 24;
constexpr int kVstEffectNameSize = 32;
constexpr int kVstVendorTextSize = 64;
constexpr int kVstPinLabelSize = 64;

// The record's layout is fixed: every offset in both builds.
constexpr size_t kPtr = sizeof(void*);
static_assert(sizeof(void*) == 4 || sizeof(void*) == 8, "32- or 64-bit build");
static_assert(sizeof(intptr_t) == kPtr, "pointer-sized integers");
static_assert(offsetof(AEffect, magic) == 0);
static_assert(offsetof(AEffect, dispatcher) == kPtr);
static_assert(offsetof(AEffect, process) == 2 * kPtr);
static_assert(offsetof(AEffect, setParameter) == 3 * kPtr);
static_assert(offsetof(AEffect, getParameter) == 4 * kPtr);
static_assert(offsetof(AEffect, numPrograms) == 5 * kPtr);
static_assert(offsetof(AEffect, numParams) == 5 * kPtr + 4);
static_assert(offsetof(AEffect, numInputs) == 5 * kPtr + 8);
static_assert(offsetof(AEffect, numOutputs) == 5 * kPtr + 12);
static_assert(offsetof(AEffect, flags) == 5 * kPtr + 16);
static_assert(offsetof(AEffect, resvd1) == (kPtr == 4 ? 40 : 64));
static_assert(offsetof(AEffect, resvd2) == (kPtr == 4 ? 44 : 72));
static_assert(offsetof(AEffect, initialDelay) == (kPtr == 4 ? 48 : 80));
static_assert(offsetof(AEffect, realQualities) == (kPtr == 4 ? 52 : 84));
static_assert(offsetof(AEffect, offQualities) == (kPtr == 4 ? 56 : 88));
static_assert(offsetof(AEffect, ioRatio) == (kPtr == 4 ? 60 : 92));
static_assert(offsetof(AEffect, object) == (kPtr == 4 ? 64 : 96));
static_assert(offsetof(AEffect, user) == (kPtr == 4 ? 68 : 104));
static_assert(offsetof(AEffect, uniqueID) == (kPtr == 4 ? 72 : 112));
static_assert(offsetof(AEffect, version) == (kPtr == 4 ? 76 : 116));
static_assert(offsetof(AEffect, processReplacing) == (kPtr == 4 ? 80 : 120));
static_assert(offsetof(AEffect, future) == (kPtr == 4 ? 84 : 128));
static_assert(sizeof(AEffect) == (kPtr == 4 ? 144 : 192));

static_assert(sizeof(VstEvent) == 32);
static_assert(sizeof(VstMidiEvent) == 32);
static_assert(offsetof(VstMidiEvent, deltaFrames) == 8);
static_assert(offsetof(VstMidiEvent, midiData) == 24);
static_assert(offsetof(VstMidiEvent, detune) == 28);
static_assert(offsetof(VstEvents, reserved) == kPtr);
static_assert(offsetof(VstEvents, events) == 2 * kPtr);
static_assert(offsetof(VstPinProperties, flags) == 64);
static_assert(sizeof(ERect) == 8);
