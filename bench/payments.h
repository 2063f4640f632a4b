// Realistic payments for the benchmarks: a German firm paying suppliers
// across the EU, a mix of EU standard, EUE and general payments.
#ifndef XKDTAZV_BENCH_PAYMENTS_H_
#define XKDTAZV_BENCH_PAYMENTS_H_

#include <cstddef>
#include <memory>
#include <string>

#include "xkdtazv/xkdtazv.h"

namespace xkdtazv::bench {

// A file object with its sender filled in, writing to `directory`.
std::unique_ptr<DtAzvDatei> MakeFile(const std::string& directory);
// Adds `count` payments with varied names, purposes and amounts.
void AddPayments(DtAzvDatei& file, std::size_t count);
// The same sender and payments as a JSON batch for `xkdtazv generate`,
// writing the file `name` to `directory`.
std::string BatchJson(const std::string& directory, const std::string& name, std::size_t count);

}  // namespace xkdtazv::bench

#endif  // XKDTAZV_BENCH_PAYMENTS_H_
