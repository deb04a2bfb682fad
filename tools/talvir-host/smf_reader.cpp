#include "tools/talvir-host/smf_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

constexpr size_t kMaxFileBytes = 64u * 1024u * 1024u;
constexpr uint32_t kDefaultMicrosPerQuarter = 500000; // 120 beats per minute

uint32_t readBig(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) {
        v = (v << 8) | p[i];
    }
    return v;
}

// Variable-length quantity of at most four bytes; false when it runs past the end.
bool readVarLen(const uint8_t*& p, const uint8_t* end, uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (p >= end) {
            return false;
        }
        uint8_t b = *p++;
        value = (value << 7) | (b & 0x7F);
        if ((b & 0x80) == 0) {
            return true;
        }
    }
    return false;
}

int dataBytesOf(uint8_t status) {
    switch (status & 0xF0) {
    case 0xC0:
    case 0xD0:
        return 1;
    default:
        return 2;
    }
}

bool isKept(uint8_t status) {
    switch (status & 0xF0) {
    case 0x80:
    case 0x90:
    case 0xB0:
    case 0xC0:
    case 0xE0:
        return true;
    default:
        return false;
    }
}

} // namespace

bool CSmfReader::fail(const std::string& why) {
    error_ = why;
    events_.clear();
    return false;
}

bool CSmfReader::readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return fail("cannot open MIDI file " + path);
    }
    std::vector<uint8_t> bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
        if (bytes.size() > kMaxFileBytes) {
            return fail("MIDI file too large: " + path);
        }
    }
    if (!parse(bytes)) {
        error_ = path + ": " + error_;
        return false;
    }
    return true;
}

bool CSmfReader::parse(const std::vector<uint8_t>& bytes) {
    events_.clear();
    error_.clear();
    const uint8_t* p = bytes.data();
    const uint8_t* end = p + bytes.size();
    if (bytes.size() < 14 || !std::equal(p, p + 4, "MThd")) {
        return fail("not a Standard MIDI File (no MThd header)");
    }
    uint32_t headerSize = readBig(p + 4, 4);
    if (headerSize < 6 || headerSize > bytes.size() - 8) {
        return fail("bad MThd header size");
    }
    format_ = static_cast<int>(readBig(p + 8, 2));
    int tracks = static_cast<int>(readBig(p + 10, 2));
    uint16_t division = static_cast<uint16_t>(readBig(p + 12, 2));
    if (format_ != 0 && format_ != 1) {
        return fail("MIDI file format " + std::to_string(format_) +
                    " is not supported (only 0 and 1)");
    }
    // Seconds per tick: metrical (per quarter note, scaled by the tempo) or fixed SMPTE.
    bool smpte = (division & 0x8000) != 0;
    double smpteSecondsPerTick = 0.0;
    if (smpte) {
        int fps = -static_cast<int8_t>(division >> 8);
        int ticksPerFrame = division & 0xFF;
        if (fps <= 0 || ticksPerFrame == 0) {
            return fail("bad SMPTE time division");
        }
        double framesPerSecond = fps == 29 ? 29.97 : fps;
        smpteSecondsPerTick = 1.0 / (framesPerSecond * ticksPerFrame);
    } else if (division == 0) {
        return fail("time division of 0 ticks per quarter note");
    }

    std::vector<CTickEvent> all;
    p += 8 + headerSize;
    int found = 0;
    while (found < tracks && end - p >= 8) {
        uint32_t size = readBig(p + 4, 4);
        bool isTrack = std::equal(p, p + 4, "MTrk");
        p += 8;
        if (size > static_cast<size_t>(end - p)) {
            return fail("track " + std::to_string(found) + " runs past the end of the file");
        }
        if (isTrack) { // unknown chunks are skipped
            if (!parseTrack(p, size, found, all)) {
                return false;
            }
            ++found;
        }
        p += size;
    }
    if (found < tracks) {
        return fail("file announces " + std::to_string(tracks) + " tracks but holds " +
                    std::to_string(found));
    }

    std::stable_sort(all.begin(), all.end(), [](const CTickEvent& a, const CTickEvent& b) {
        if (a.tick != b.tick) {
            return a.tick < b.tick;
        }
        if (a.tempo != b.tempo) {
            return a.tempo; // a tempo change applies to events at its own tick
        }
        return a.track != b.track ? a.track < b.track : a.order < b.order;
    });
    double seconds = 0.0;
    uint64_t lastTick = 0;
    uint32_t tempo = kDefaultMicrosPerQuarter;
    for (const CTickEvent& e : all) {
        double perTick = smpte ? smpteSecondsPerTick : tempo * 1e-6 / division;
        seconds += static_cast<double>(e.tick - lastTick) * perTick;
        lastTick = e.tick;
        if (e.tempo) {
            tempo = e.microsPerQuarter;
            continue;
        }
        CTimedMidi m;
        m.seconds = seconds;
        std::copy(e.data, e.data + 3, m.data);
        events_.push_back(m);
    }
    return true;
}

bool CSmfReader::parseTrack(const uint8_t* p, size_t size, int track,
                            std::vector<CTickEvent>& out) {
    const uint8_t* end = p + size;
    uint64_t tick = 0;
    uint8_t running = 0;
    int order = 0;
    std::string where = "track " + std::to_string(track) + ": ";
    while (p < end) {
        uint32_t delta;
        if (!readVarLen(p, end, delta)) {
            return fail(where + "truncated delta time");
        }
        tick += delta;
        if (p >= end) {
            return fail(where + "event missing after delta time");
        }
        uint8_t status = *p;
        if (status == 0xFF) { // meta event
            if (end - p < 2) {
                return fail(where + "truncated meta event");
            }
            uint8_t type = p[1];
            p += 2;
            uint32_t length;
            if (!readVarLen(p, end, length) || length > static_cast<size_t>(end - p)) {
                return fail(where + "truncated meta event");
            }
            if (type == 0x51 && length == 3) {
                CTickEvent e{tick, track, order++, true, readBig(p, 3), {0, 0, 0}};
                if (e.microsPerQuarter == 0) {
                    return fail(where + "tempo of 0 microseconds per quarter note");
                }
                out.push_back(e);
            }
            p += length;
            if (type == 0x2F) {
                return true; // end of track
            }
            continue;
        }
        if (status == 0xF0 || status == 0xF7) { // system exclusive: skipped
            ++p;
            uint32_t length;
            if (!readVarLen(p, end, length) || length > static_cast<size_t>(end - p)) {
                return fail(where + "truncated system exclusive message");
            }
            p += length;
            running = 0;
            continue;
        }
        if (status & 0x80) {
            if (status >= 0xF0) {
                return fail(where + "unexpected system message in a track");
            }
            running = status;
            ++p;
        } else if (running == 0) {
            return fail(where + "data byte without a status (running status not set)");
        }
        int n = dataBytesOf(running);
        if (end - p < n) {
            return fail(where + "truncated channel message");
        }
        if (isKept(running)) {
            CTickEvent e{tick,
                         track,
                         order++,
                         false,
                         0,
                         {running, static_cast<uint8_t>(p[0] & 0x7F),
                          static_cast<uint8_t>(n > 1 ? p[1] & 0x7F : 0)}};
            out.push_back(e);
        }
        p += n;
    }
    return true; // a missing end-of-track event is tolerated
}
