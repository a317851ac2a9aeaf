// Independent encoders on several threads at once give exactly the symbols
// one encoder gives alone. The threads start first, while the engine's
// per-version tables are still being built, so they race to build them.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "symbol_engine.h"

namespace {

struct Job {
  std::string message;
  qr::SymbolSettings settings;
};

// Every version, all levels, automatic and forced masks.
std::vector<Job> MixedJobs() {
  std::mt19937 random(4040);
  std::vector<Job> jobs;
  for (int round = 0; round < 3; ++round)
    for (int version = 1; version <= 40; ++version) {
      Job job;
      const int length = 1 + static_cast<int>(random() % (round == 0 ? 40 : 1200));
      for (int i = 0; i < length; ++i) job.message += static_cast<char>(1 + random() % 255);
      job.settings.requestedVersion = version;
      job.settings.level = static_cast<int>(random() % 4);
      job.settings.maskSetting = round == 2 ? static_cast<int>(random() % 9) : 0;
      jobs.push_back(job);
    }
  return jobs;
}

// The symbol as text: version, mask and every module.
std::string Encoded(qr::SymbolEngine &engine, const Job &job) {
  if (engine.Encode(job.message.data(), job.message.size(), job.settings) !=
      qr::EncodeResult::kWritten)
    return "-";
  std::string symbol =
      std::to_string(engine.version()) + "/" + std::to_string(engine.maskPattern()) + ":";
  for (int y = 0; y < engine.side(); ++y)
    for (int x = 0; x < engine.side(); ++x) symbol += engine.Dark(x, y) ? '1' : '0';
  return symbol;
}

TEST(SymbolEngineThreads, FourEncodersAtOnceGiveTheSingleThreadSymbols) {
  const std::vector<Job> jobs = MixedJobs();
  constexpr int kThreads = 4;
  std::vector<std::vector<std::string>> results(kThreads);
  std::atomic<int> waiting{kThreads};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      qr::SymbolEngine engine;
      waiting.fetch_sub(1);
      while (waiting.load() > 0) std::this_thread::yield();  // start together
      // Two threads walk the jobs forwards, two backwards, so the first
      // symbol of a version is met by several at once somewhere.
      for (size_t k = 0; k < jobs.size(); ++k) {
        const size_t index = t % 2 == 0 ? k : jobs.size() - 1 - k;
        results[t].push_back(Encoded(engine, jobs[index]));
      }
    });
  for (std::thread &thread : threads) thread.join();

  qr::SymbolEngine alone;
  for (size_t k = 0; k < jobs.size(); ++k) {
    const std::string expected = Encoded(alone, jobs[k]);
    ASSERT_NE(expected, "-") << "job " << k;
    for (int t = 0; t < kThreads; ++t) {
      const size_t index = t % 2 == 0 ? k : jobs.size() - 1 - k;
      ASSERT_EQ(results[t][index], expected) << "thread " << t << ", job " << k;
    }
  }
}

}  // namespace
