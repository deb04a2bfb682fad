#include "engine/noise_table.h"
#include "engine/random.h"

CNoiseTable::CNoiseTable(int count) : count(count < 1 ? 1 : count), values(new float[this->count]) {
    for (int i = 0; i < this->count; ++i) {
        values[i] = static_cast<float>((talvir::rand() % 10000) * 0.0002 - 1.0);
    }
}

CNoiseTable::~CNoiseTable() {
    delete[] values;
}
