// The writer thread of the background saves: a queue of the latest bytes per file.
#include "store/background_save.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/files.h"

namespace {

struct PendingFile {
    std::string path;
    std::vector<uint8_t> bytes;
};

// Shared by the main thread and the writer, under the lock. Made once and never destroyed, so a
// program that ends without saves_stop never meets a running thread's destructor.
struct Writer {
    std::mutex lock;
    std::condition_variable changed; // a hand-over, a write done, or the stop
    std::vector<PendingFile> pending;
    bool writing = false; // the writer holds a file taken from pending
    bool stopping = false;
    std::thread thread;
};
Writer& writer = *new Writer;

void write_files() {
    std::unique_lock hold(writer.lock);
    for (;;) {
        writer.changed.wait(hold, [] { return writer.stopping || !writer.pending.empty(); });
        if (writer.pending.empty()) return; // stopping, with nothing left to write
        PendingFile file = std::move(writer.pending.front());
        writer.pending.erase(writer.pending.begin());
        writer.writing = true;
        hold.unlock();
        platform::file_replace(file.path.c_str(), file.bytes.data(), file.bytes.size());
        hold.lock();
        writer.writing = false;
        writer.changed.notify_all();
    }
}

} // namespace

void replace_in_background(const std::string& path, std::vector<uint8_t> bytes) {
    std::lock_guard hold(writer.lock);
    if (!writer.thread.joinable()) {
        writer.stopping = false;
        writer.thread = std::thread(write_files);
    }
    const auto same = std::find_if(writer.pending.begin(), writer.pending.end(),
                                   [&](const PendingFile& file) { return file.path == path; });
    if (same != writer.pending.end())
        same->bytes = std::move(bytes); // latest wins
    else
        writer.pending.push_back({path, std::move(bytes)});
    writer.changed.notify_all();
}

void saves_flush() {
    std::unique_lock hold(writer.lock);
    writer.changed.wait(hold, [] { return writer.pending.empty() && !writer.writing; });
}

void saves_stop() {
    std::unique_lock hold(writer.lock);
    if (writer.thread.joinable()) {
        writer.stopping = true;
        writer.changed.notify_all();
        hold.unlock();
        writer.thread.join(); // the writer writes what is pending first
    }
}
