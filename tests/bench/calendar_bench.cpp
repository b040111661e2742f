// Google Benchmark of the calendar reader on a real-sized published calendar: five years of a
// busy desk (tests/calendar/BusyCalendar.cpp, about 8 MB), read and expanded to the next 14
// days, as the program does at start and every 15 minutes. Reports the time, the bytes read a
// second, and the peak of the heap during one read (every operator new counted); the process's
// peak resident memory is printed at the end.
//
//   build/native/rp_bench_calendar                      what scripts/bench --calendar runs
//   build/native/rp_bench_calendar --write=busy.ics     writes the calendar to a file, and ends
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "BusyCalendar.h"
#include "calendar/CalendarFile.h"
#include "calendar/CalendarReader.h"
#include "calendar/IcsTime.h"
#include "sim/SimTimeZones.h"

namespace {

std::atomic<std::int64_t> heapNow{0}, heapPeak{0}, allocations{0};

void* Allocate(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  const std::int64_t now = heapNow += static_cast<std::int64_t>(malloc_usable_size(p));
  ++allocations;
  for (std::int64_t peak = heapPeak; now > peak && !heapPeak.compare_exchange_weak(peak, now);) {
  }
  return p;
}

void Free(void* p) {
  if (!p) return;
  heapNow -= static_cast<std::int64_t>(malloc_usable_size(p));
  std::free(p);
}

// The heap's peak above where it stood at Start.
class HeapPeak : public benchmark::MemoryManager {
 public:
  void Start() override {
    base_ = heapNow;
    heapPeak = base_;
    allocations = 0;
  }
  void Stop(Result* result) override {
    result->num_allocs = allocations;
    result->max_bytes_used = heapPeak - base_;
  }

 private:
  std::int64_t base_ = 0;
};

const std::string& Calendar() {
  static const std::string text = rp::calendar_test::BusyCalendar();
  return text;
}

void BM_ReadBusyCalendar(benchmark::State& state) {
  const std::string& text = Calendar();
  rp::sim::SimTimeZones zones;
  const std::int64_t now = rp::ParseIcsTime("20261208T080000Z")->seconds;
  rp::CalendarReading reading;
  std::int64_t peak = 0;
  for (auto _ : state) {
    reading = {};
    const std::int64_t base = heapNow;
    heapPeak = base;
    reading = rp::ReadCalendar(text, now, zones);
    benchmark::DoNotOptimize(reading.busy.data());
    peak = std::max<std::int64_t>(peak, heapPeak - base);
  }
  state.counters["peak_heap_MB"] = static_cast<double>(peak) / 1e6;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
  state.counters["meetings_7d"] = reading.meetingsThisWeek;
  state.counters["busy_14d"] = static_cast<double>(reading.busy.size());
  state.counters["left_out"] = static_cast<double>(reading.leftOut);
}
BENCHMARK(BM_ReadBusyCalendar)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The first half of that alone: the lines unfolded and read into events and zones, nothing
// expanded (the rest of the time above is the times resolved and the rules expanded).
void BM_ParseBusyCalendar(benchmark::State& state) {
  const std::string& text = Calendar();
  std::size_t events = 0;
  for (auto _ : state) {
    const rp::CalendarFile file = rp::ParseCalendarFile(text);
    events = file.events.size();
    benchmark::DoNotOptimize(events);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["events"] = static_cast<double>(events);
}
BENCHMARK(BM_ParseBusyCalendar)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, std::size_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t) noexcept { Free(p); }

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--write=", 8) == 0) {
      std::FILE* file = std::fopen(argv[i] + 8, "wb");
      if (!file || std::fwrite(Calendar().data(), 1, Calendar().size(), file) != Calendar().size()) return 1;
      std::fclose(file);
      std::printf("%s: %zu bytes\n", argv[i] + 8, Calendar().size());
      return 0;
    }
  Calendar();  // made before the first measurement
  HeapPeak heap;
  benchmark::RegisterMemoryManager(&heap);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("calendar: %zu bytes; peak resident memory of the process (with the calendar's text): %ld KiB\n",
              Calendar().size(), usage.ru_maxrss);
  return 0;
}
