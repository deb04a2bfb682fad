#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Interleaved audio held in memory.
struct CAudioBuffer {
    int sampleRate = 0;
    int channels = 0;
    std::vector<float> samples; // frames × channels

    int64_t frames() const {
        return channels > 0 ? static_cast<int64_t>(samples.size()) / channels : 0;
    }
    float at(int64_t frame, int channel) const {
        return samples[static_cast<size_t>(frame * channels + channel)];
    }
};

// Reads any file libsndfile understands into memory as float samples.
bool readAudioFile(const std::string& path, CAudioBuffer& audio, std::string& error,
                   int64_t maxFrames = int64_t(1) << 31);

// Writes a WAV file frame by frame, in 32-bit float or 16/24-bit PCM.
class CWavWriter {
public:
    enum class EFormat { kFloat32, kPcm16, kPcm24 };

    CWavWriter() = default;
    CWavWriter(const CWavWriter&) = delete;
    CWavWriter& operator=(const CWavWriter&) = delete;
    ~CWavWriter();

    bool open(const std::string& path, int sampleRate, int channels, EFormat format,
              std::string& error);
    bool write(const float* interleaved, int64_t frames, std::string& error);
    bool close(std::string& error);

private:
    void* file_ = nullptr; // SNDFILE*
};
