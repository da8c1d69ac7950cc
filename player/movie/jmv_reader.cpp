#include "player/movie/jmv_reader.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <system_error>

namespace marlit {

namespace {

struct Buffer {
    uint32_t first = 0;
    uint32_t count = 0;
    // Set while the thread reads into `bytes`; nobody else touches them then.
    bool filling = false;
    std::vector<uint8_t> bytes;
};

struct Fill {
    int buffer;
    uint32_t from;
};

}  // namespace

struct JmvReader::Shared {
    // Fixed before the thread starts.
    std::unique_ptr<JmvSource> source;
    JmvTable table;
    uint32_t bufferSize = 0;

    std::mutex mutex;
    std::condition_variable wake;   // to the thread: a new request, or stop
    std::condition_variable ready;  // to the player: a buffer filled, a failure, the end
    Buffer buffers[2];
    uint32_t requested = 0;
    bool stop = false;
    bool failed = false;
    bool ended = false;
    std::string error;

    uint32_t frameCount() const { return static_cast<uint32_t>(table.frames.size()); }

    // The buffer that holds frame i, or -1.
    int holding(uint32_t i) const {
        for (int b = 0; b < 2; ++b) {
            const Buffer& buf = buffers[b];
            if (!buf.filling && i >= buf.first && i - buf.first < buf.count)
                return b;
        }
        return -1;
    }

    // What to read next: the requested frame when no buffer holds it, else
    // the frames that follow the buffer holding it into the other buffer.
    std::optional<Fill> nextFill() const {
        if (failed || requested >= frameCount())
            return std::nullopt;
        int holder = holding(requested);
        if (holder < 0) {
            // The buffer whose frames end first is the one read longest ago.
            const Buffer& b0 = buffers[0];
            const Buffer& b1 = buffers[1];
            int older = (b1.first + b1.count < b0.first + b0.count) ? 1 : 0;
            return Fill{older, requested};
        }
        const Buffer& held = buffers[holder];
        const Buffer& other = buffers[1 - holder];
        uint32_t next = held.first + held.count;
        if (next >= frameCount() || (other.count > 0 && other.first == next))
            return std::nullopt;
        return Fill{1 - holder, next};
    }

    // Frames from `from` on while their sizes together fit into the buffer
    // size, at most two; a first frame that alone is larger is still taken.
    uint32_t framesToTake(uint32_t from) const {
        uint64_t total = table.frames[from].size;
        if (from + 1 < frameCount() && total + table.frames[from + 1].size <= bufferSize)
            return 2;
        return 1;
    }

    // Reads `count` frames from `from` into `bytes`, one after another; one
    // read when they lie next to each other in the file.
    bool readFrames(std::vector<uint8_t>& bytes, uint32_t from, uint32_t count) {
        const JmvFrame& a = table.frames[from];
        uint64_t total = a.size;
        bool adjacent = true;
        if (count == 2) {
            const JmvFrame& b = table.frames[from + 1];
            total += b.size;
            adjacent = uint64_t{a.position} + a.size == b.position;
        }
        if (bytes.size() < total)
            bytes.resize(total);
        std::span<uint8_t> out(bytes.data(), total);
        if (adjacent)
            return source->read(table.fileOffset(from), out);
        return source->read(table.fileOffset(from), out.first(a.size)) &&
               source->read(table.fileOffset(from + 1), out.subspan(a.size));
    }

    void run() {
        std::unique_lock lock(mutex);
        while (!stop) {
            std::optional<Fill> fill = nextFill();
            if (!fill) {
                wake.wait(lock);
                continue;
            }
            Buffer& buf = buffers[fill->buffer];
            uint32_t count = framesToTake(fill->from);
            buf.filling = true;
            buf.count = 0;
            lock.unlock();
            bool ok = readFrames(buf.bytes, fill->from, count);
            lock.lock();
            buf.filling = false;
            if (ok) {
                buf.first = fill->from;
                buf.count = count;
            } else {
                failed = true;
                error = "frame " + std::to_string(fill->from) +
                        " could not be read; the file changed or its medium failed while "
                        "the movie played";
            }
            ready.notify_all();
        }
        ended = true;
        ready.notify_all();
    }
};

JmvReader::~JmvReader() {
    close();
}

bool JmvReader::open(std::unique_ptr<JmvSource> source, uint32_t bufferSize) {
    close();
    table_ = {};
    openError_.clear();
    if (!source) {
        openError_ = "the file cannot be opened";
        return false;
    }
    const uint64_t fileSize = source->size();
    std::vector<uint8_t> head(std::min<uint64_t>(fileSize, kJmvHeaderSize));
    if (!source->read(0, head)) {
        openError_ = "the header cannot be read";
        return false;
    }
    auto header = parseJmvHeader(head, &openError_);
    if (!header)
        return false;
    // Checked against the file before the table is allocated.
    if (header->tableSize() > fileSize) {
        parseJmvTable(head, fileSize, &openError_);
        return false;
    }
    std::vector<uint8_t> tableBytes(header->tableSize());
    if (!source->read(0, tableBytes)) {
        openError_ = "the frame table cannot be read";
        return false;
    }
    auto table = parseJmvTable(tableBytes, fileSize, &openError_);
    if (!table)
        return false;
    if (table->frames.empty()) {
        openError_ = table->problem.empty() ? "the movie has no frames" : table->problem;
        return false;
    }
    if (header->width > kWideFrameWidth)
        bufferSize *= 4;

    auto shared = std::make_shared<Shared>();
    shared->source = std::move(source);
    shared->table = *table;
    shared->bufferSize = bufferSize;
    for (Buffer& b : shared->buffers)
        b.bytes.resize(bufferSize);
    try {
        thread_ = std::thread([shared] { shared->run(); });
    } catch (const std::system_error& e) {
        openError_ = std::string("no thread could be started to read it (") + e.what() + ")";
        return false;
    }
    shared_ = std::move(shared);
    table_ = std::move(*table);
    bufferSize_ = bufferSize;
    return true;
}

bool JmvReader::close(uint32_t waitMs) {
    if (!shared_)
        return true;
    bool endedInTime;
    {
        std::unique_lock lock(shared_->mutex);
        shared_->stop = true;
        shared_->wake.notify_all();
        endedInTime = shared_->ready.wait_for(lock, std::chrono::milliseconds(waitMs),
                                              [&] { return shared_->ended; });
    }
    if (endedInTime)
        thread_.join();
    else
        thread_.detach();
    shared_.reset();
    return endedInTime;
}

bool JmvReader::frameData(uint32_t i, std::vector<uint8_t>& out) {
    if (!shared_ || i >= frameCount())
        return false;
    Shared& s = *shared_;
    std::unique_lock lock(s.mutex);
    s.requested = i;
    s.wake.notify_all();
    bool settled = s.ready.wait_for(lock, std::chrono::milliseconds(kFrameWaitMs),
                                    [&] { return s.holding(i) >= 0 || s.failed || s.ended; });
    int b = s.holding(i);
    if (b < 0) {
        if (!settled) {
            s.failed = true;
            s.error = "frame " + std::to_string(i) + " was not read within " +
                      std::to_string(kFrameWaitMs / 1000) + " s; the file no longer answers";
        }
        return false;
    }
    const Buffer& buf = s.buffers[b];
    size_t offset = i == buf.first ? 0 : table_.frames[buf.first].size;
    const size_t size = table_.frames[i].size;
    out.resize(size);
    if (size > 0)
        std::memcpy(out.data(), buf.bytes.data() + offset, size);
    return true;
}

std::string JmvReader::error() const {
    if (!shared_)
        return openError_;
    std::lock_guard lock(shared_->mutex);
    return shared_->error;
}

}  // namespace marlit
