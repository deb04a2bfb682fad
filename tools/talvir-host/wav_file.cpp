#include "tools/talvir-host/wav_file.h"

#include <sndfile.h>

bool readAudioFile(const std::string& path, CAudioBuffer& audio, std::string& error,
                   int64_t maxFrames) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        error = "cannot read audio file " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    if (info.channels <= 0 || info.samplerate <= 0 || info.frames < 0 || info.frames > maxFrames) {
        sf_close(file);
        error = "unsupported audio file " + path + " (no channels, no rate or too long)";
        return false;
    }
    audio.sampleRate = info.samplerate;
    audio.channels = info.channels;
    audio.samples.assign(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels),
                         0.0f);
    sf_count_t got = sf_readf_float(file, audio.samples.data(), info.frames);
    sf_close(file);
    if (got < 0) {
        error = "cannot read the samples of " + path;
        return false;
    }
    audio.samples.resize(static_cast<size_t>(got) * static_cast<size_t>(info.channels));
    return true;
}

CWavWriter::~CWavWriter() {
    if (file_ != nullptr) {
        sf_close(static_cast<SNDFILE*>(file_));
    }
}

bool CWavWriter::open(const std::string& path, int sampleRate, int channels, EFormat format,
                      std::string& error) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    int subtype = format == EFormat::kPcm16   ? SF_FORMAT_PCM_16
                  : format == EFormat::kPcm24 ? SF_FORMAT_PCM_24
                                              : SF_FORMAT_FLOAT;
    info.format = SF_FORMAT_WAV | subtype;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        error = "cannot write " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    if (format != EFormat::kFloat32) {
        // PCM output is clipped at full scale rather than wrapped
        sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    }
    file_ = file;
    return true;
}

bool CWavWriter::write(const float* interleaved, int64_t frames, std::string& error) {
    if (file_ == nullptr) {
        error = "no output file open";
        return false;
    }
    SNDFILE* file = static_cast<SNDFILE*>(file_);
    if (sf_writef_float(file, interleaved, frames) != frames) {
        error = std::string("writing the output failed: ") + sf_strerror(file);
        return false;
    }
    return true;
}

bool CWavWriter::close(std::string& error) {
    if (file_ == nullptr) {
        return true;
    }
    int rc = sf_close(static_cast<SNDFILE*>(file_));
    file_ = nullptr;
    if (rc != 0) {
        error = std::string("closing the output failed: ") + sf_error_number(rc);
        return false;
    }
    return true;
}
