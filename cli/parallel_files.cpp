#include "parallel_files.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

#include "cli_texts.h"

namespace traverse_cli {
namespace {

// The outputs of the files, released in file order as soon as every file before them is done.
class OrderedRelease {
public:
    OrderedRelease(const std::vector<std::string>& files, bool headed)
        : m_files(files),
          m_headed(headed),
          m_done(files.size(), false),
          m_progress(isatty(STDERR_FILENO) != 0) {
        for (std::size_t i = 0; i < files.size(); ++i)
            m_outputs.push_back(std::make_unique<Output>(true));
    }

    Output& OutputOf(std::size_t index) { return *m_outputs[index]; }

    void Done(std::size_t index) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done[index] = true;
        ++m_finished;
        ClearProgress();
        for (; m_next < m_files.size() && m_done[m_next]; ++m_next) {
            m_outputs[m_next]->Release(m_headed ? "==> " + m_files[m_next] + " <==\n"
                                                : std::string());
            m_outputs[m_next].reset();
        }
        ShowProgress();
    }

    void Finish() {
        std::lock_guard<std::mutex> lock(m_mutex);
        ClearProgress();
    }

private:
    void ShowProgress() {
        if (!m_progress || m_finished == m_files.size()) return;
        std::fprintf(stderr, text::kProgress, m_finished, m_files.size());
        std::fflush(stderr);
        m_shown = true;
    }

    void ClearProgress() {
        if (!m_shown) return;
        std::fputs("\r\033[K", stderr);
        m_shown = false;
    }

    const std::vector<std::string>& m_files;
    bool m_headed;
    std::vector<std::unique_ptr<Output>> m_outputs;
    std::vector<bool> m_done;
    std::size_t m_next = 0;
    std::size_t m_finished = 0;
    bool m_progress;
    bool m_shown = false;
    std::mutex m_mutex;
};

}  // namespace

int ProcessFiles(const std::vector<std::string>& files, unsigned jobs, bool headed,
                 const std::function<int(const std::string& file, Output& output)>& process) {
    if (jobs == 0) jobs = std::max(1u, std::thread::hardware_concurrency());
    jobs = static_cast<unsigned>(std::min<std::size_t>(jobs, files.size()));
    OrderedRelease release(files, headed);
    std::atomic<std::size_t> nextFile{0};
    std::atomic<int> worst{0};
    const auto work = [&] {
        for (std::size_t i; (i = nextFile++) < files.size();) {
            const int status = process(files[i], release.OutputOf(i));
            for (int seen = worst.load();
                 status > seen && !worst.compare_exchange_weak(seen, status);) {}
            release.Done(i);
        }
    };
    std::vector<std::thread> threads;
    for (unsigned t = 1; t < jobs; ++t) threads.emplace_back(work);
    work();
    for (std::thread& thread : threads) thread.join();
    release.Finish();
    return worst.load();
}

}  // namespace traverse_cli
