// What bench/record/compare.sh times: records decoded, encoded and read and written by
// field name, built once against each side's NpcRecord.
#include "document/NpcRecord.h"
#include <chrono>
#include <cstdio>
#include <random>
int main()
{
    std::mt19937 random(7);
    std::array<NpcRecord::Bytes, 50> files;
    for (auto &f : files) for (auto &b : f) b = quint8(random());
    quint64 sum = 0;
    auto t0 = std::chrono::steady_clock::now();
    for (int round = 0; round < 200000; ++round) {
        for (auto &f : files) {
            NpcRecord r = NpcRecord::decode(f.data());
            r.encode(f.data());
            sum += r.Mode;
        }
    }
    auto t1 = std::chrono::steady_clock::now();
    for (int round = 0; round < 200000; ++round) {
        for (auto &f : files) {
            NpcRecord r = NpcRecord::decode(f.data());
            for (int i = 0; i < NpcFieldCount; ++i) {
                const auto field = static_cast<NpcField>(i);
                r.setValue(field, r.value(field) + 1u);
            }
            sum += r.Spare30;
        }
    }
    auto t2 = std::chrono::steady_clock::now();
    std::printf("decode+encode %.1f ns/record  value+setValue %.1f ns/record  (%llu)\n",
                std::chrono::duration<double, std::nano>(t1 - t0).count() / 1e7,
                std::chrono::duration<double, std::nano>(t2 - t1).count() / 1e7, (unsigned long long)sum);
}
