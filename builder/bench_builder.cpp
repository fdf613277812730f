// How long the headless builder takes and how much memory it holds, against zip -9 on the same
// pages. Each measurement runs veld-build (or zip) as its own process, so that peak memory is the
// builder's alone.
//
//   BM_Build/<KB>/<topics>  veld-build on a generated module; counters: module MB, MB/s, peak RSS,
//                           largest page, index.txt size
//   BM_Zip9/<KB>/<topics>   zip -9 on the page files and index.txt of that same build (run BM_Build of
//                           the same size first: it leaves them)
//
// Sizes: the 5 MB module of 5,000 topics (half of them with coloured code); 1 to 50 MB at 5,000
// topics (larger pages); 0.5 to 15 MB at about 1 KB a topic (more topics); 50 MB in ten topics of
// 5 MB each; 30,000 topics, more than a process may hold files open on the machines this was
// written on (20,000): the archive layer opens each page file only while it reads it.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

// One topic's worth of source: title, text lines, and for every other topic a procedure.
void appendTopic(std::string& module, int n, std::size_t bytes) {
  const std::size_t start = module.size();
  module += ";&&&1 Function" + std::to_string(n) + "\r\n";
  const bool withCode = n % 2 == 0;
  const std::size_t textEnd = start + (withCode ? bytes * 2 / 5 : bytes);
  while (module.size() < textEnd) {
    module += ";/// Returns the <B>handle</B> of the window, or 0 when it could not be opened.\r\n";
  }
  if (!withCode) return;
  module += "Procedure.i Function" + std::to_string(n) + "(*Buffer, Length.l, Flags = #PB_Window_SystemMenu) ;+++\r\n";
  while (module.size() < start + bytes) {
    module += "  Protected Window.i = OpenWindow(#PB_Any, 0, 0, 400, 300, \"Title\", Flags) ; the window\r\n"
              "  If Window And Length < $219 : *Buffer\\Size = Length * 2 : EndIf\r\n";
  }
  module += "EndProcedure\r\n";
}

struct Workload {
  fs::path module;
  std::size_t bytes = 0;
};

fs::path benchFolder() {
  static const fs::path folder = [] {
    std::string pattern = (fs::temp_directory_path() / "veld-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return fs::path(pattern);
  }();
  return folder;
}

const Workload& workload(std::size_t kilobytes, int topics) {
  static std::map<std::pair<std::size_t, int>, Workload> made;
  Workload& w = made[{kilobytes, topics}];
  if (w.bytes == 0) {
    std::string module;
    const std::size_t perTopic = kilobytes * 1024 / static_cast<std::size_t>(topics);
    for (int n = 0; n < topics; ++n) appendTopic(module, n, perTopic);
    w.module = benchFolder() / ("module-" + std::to_string(kilobytes) + "-" + std::to_string(topics) + ".pbi");
    std::ofstream(w.module, std::ios::binary) << module;
    w.bytes = module.size();
  }
  return w;
}

struct Run {
  double seconds = 0;
  long peakKilobytes = 0;
  int status = -1;
};

// Runs the command and waits for it: wall time, its own peak resident memory, its exit status.
Run runProcess(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& a : arguments) argv.push_back(a.data());
  argv.push_back(nullptr);
  Run run;
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    std::freopen("/dev/null", "w", stdout);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (child > 0 && wait4(child, &status, 0, &usage) == child) {
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakKilobytes = usage.ru_maxrss;
  }
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return run;
}

fs::path pagesFolder(std::size_t kilobytes, int topics) {
  return benchFolder() / ("pages-" + std::to_string(kilobytes) + "-" + std::to_string(topics));
}

void BM_Build(benchmark::State& state) {
  const auto kilobytes = static_cast<std::size_t>(state.range(0));
  const int topics = static_cast<int>(state.range(1));
  const Workload& w = workload(kilobytes, topics);
  const fs::path pages = pagesFolder(kilobytes, topics);
  fs::create_directories(pages);
  const fs::path package = benchFolder() / "bench.veld";
  long peak = 0;
  for (auto _ : state) {
    const Run run = runProcess({VELD_BUILD_PATH, w.module.string(), "-o", package.string(), "--ide-version", "521",
                                "--work-dir", pages.string()});
    if (run.status != 0) {
      state.SkipWithError("veld-build failed");
      return;
    }
    state.SetIterationTime(run.seconds);
    peak = std::max(peak, run.peakKilobytes);
  }
  std::uintmax_t largestPage = 0;
  for (const auto& entry : fs::directory_iterator(pages)) {
    if (entry.path().extension() == ".html") largestPage = std::max(largestPage, entry.file_size());
  }
  state.counters["index_MB"] = static_cast<double>(fs::file_size(pages / "index.txt")) / 1e6;
  state.counters["module_MB"] = static_cast<double>(w.bytes) / 1e6;
  state.counters["MB_per_s"] = benchmark::Counter(static_cast<double>(w.bytes) / 1e6 * state.iterations(),
                                                  benchmark::Counter::kIsRate);
  state.counters["peak_RSS_MB"] = static_cast<double>(peak) / 1024.0;
  state.counters["largest_page_MB"] = static_cast<double>(largestPage) / 1e6;
  state.counters["package_MB"] = static_cast<double>(fs::file_size(package)) / 1e6;
}

// zip -9 on the page files of the same build (BM_Build of the same size runs first and leaves them).
void BM_Zip9(benchmark::State& state) {
  const auto kilobytes = static_cast<std::size_t>(state.range(0));
  const int topics = static_cast<int>(state.range(1));
  const fs::path pages = pagesFolder(kilobytes, topics);
  std::vector<std::string> command = {"zip", "-9", "-q", "-j", (benchFolder() / "bench.zip").string()};
  for (int n = 0; n <= topics; ++n) command.push_back((pages / (std::to_string(n) + ".html")).string());
  command.push_back((pages / "index.txt").string());
  for (auto _ : state) {
    fs::remove(benchFolder() / "bench.zip");
    const Run run = runProcess(command);
    if (run.status != 0) {
      state.SkipWithError("zip -9 failed (is zip installed?)");
      return;
    }
    state.SetIterationTime(run.seconds);
  }
  state.counters["package_MB"] = static_cast<double>(fs::file_size(benchFolder() / "bench.zip")) / 1e6;
}

void sizes(benchmark::internal::Benchmark* b) {
  b->Args({5 * 1024, 5000});  // the reference module: 5 MB, 5,000 topics
  for (long kb : {1024L, 50 * 1024L}) b->Args({kb, 5000});
  for (long topics : {500L, 15000L, 30000L}) b->Args({topics, topics});  // about 1 KB a topic
  b->Args({50 * 1024, 10});  // 5 MB pages: peak memory follows the largest page
}

}  // namespace

BENCHMARK(BM_Build)->Apply(sizes)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Zip9)->Apply(sizes)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::remove_all(benchFolder(), ignored);
  return 0;
}
