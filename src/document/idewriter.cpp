#include "document/idewriter.h"

#include <QFileDevice>
#include <QIODevice>
#include <QLocale>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#if defined(__linux__)
#include <fcntl.h>
#endif

namespace tarnel {

namespace {

constexpr QByteArrayView lineEnd = "\r\n";

qsizetype sizeHint(const ContentView& content, QByteArrayView header)
{
    qsizetype hint = header.size() + content.pathText.size() + 256;
    for (const RowStore* rows : content.tables)
        hint += rows->joinedSizeHint();
    return hint;
}

// Writes to a device; with `background` on, a second thread makes the system
// calls while the caller goes on gathering the next block. A file is handed to
// the disk while the rest is still being written, so that the final sync
// waits for the last blocks only.
class DeviceWriter {
public:
    DeviceWriter(QIODevice& device, bool background) : m_device(device)
    {
        if (auto* file = qobject_cast<QFileDevice*>(&device))
            m_handle = file->handle();
        if (background)
            m_thread = std::thread([this] { run(); });
    }
    ~DeviceWriter() { finish(); }

    // Writes `data`; `done` is called once the bytes are no longer needed.
    void write(const char* data, qsizetype size, std::function<void()> done = {})
    {
        if (!m_thread.joinable()) {
            writeNow(data, size);
            if (done)
                done();
            return;
        }
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(Job{data, size, std::move(done)});
        m_changed.notify_all();
    }

    // Waits for every write; false when one failed.
    bool finish()
    {
        if (m_thread.joinable()) {
            {
                std::lock_guard lock(m_mutex);
                m_closing = true;
                m_changed.notify_all();
            }
            m_thread.join();
        }
        return m_ok;
    }

    bool ok() const { return m_ok; }

private:
    struct Job {
        const char* data;
        qsizetype size;
        std::function<void()> done;
    };

    void run()
    {
        for (;;) {
            Job job;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [this] { return m_closing || !m_jobs.empty(); });
                if (m_jobs.empty())
                    return;
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            writeNow(job.data, job.size);
            if (job.done)
                job.done();
        }
    }

    void writeNow(const char* data, qsizetype size)
    {
        if (!m_ok)
            return;
        if (m_device.write(data, size) != size) {
            m_ok = false;
            return;
        }
        m_written += size;
#if defined(__linux__)
        if (m_handle >= 0 && m_written - m_handedOver >= handOverSize) {
            // Start writing back what is written so far; does not wait.
            sync_file_range(m_handle, m_handedOver, m_written - m_handedOver, SYNC_FILE_RANGE_WRITE);
            m_handedOver = m_written;
        }
#endif
    }

    static constexpr qint64 handOverSize = qint64(8) << 20;

    QIODevice& m_device;
    int m_handle = -1;
    std::atomic<bool> m_ok = true;
    qint64 m_written = 0;
    qint64 m_handedOver = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_jobs;
    bool m_closing = false;
};

// Gathers small pieces into blocks for the device; big pieces go straight
// through. Blocks circulate between the gathering and the writing.
class DeviceOutput {
public:
    DeviceOutput(QIODevice& device, qsizetype expectedSize) : m_writer(device, expectedSize >= backgroundSize)
    {
        m_block = takeBlock();
    }

    void put(QByteArrayView piece)
    {
        if (m_used + piece.size() <= blockSize) {
            std::memcpy(m_block + m_used, piece.data(), size_t(piece.size()));
            m_used += piece.size();
            return;
        }
        flush();
        if (piece.size() >= blockSize / 2)
            m_writer.write(piece.data(), piece.size());
        else
            put(piece);
    }

    bool finish()
    {
        flush();
        return m_writer.finish();
    }

private:
    static constexpr qsizetype blockSize = qsizetype(1) << 20;
    // Output at least this big is written by a second thread.
    static constexpr qsizetype backgroundSize = qsizetype(8) << 20;
    static constexpr int blockCount = 3;

    char* takeBlock()
    {
        std::unique_lock lock(m_mutex);
        if (m_free.empty() && m_made < blockCount) {
            m_blocks[size_t(m_made)].reset(new char[blockSize]);
            return m_blocks[size_t(m_made++)].get();
        }
        m_returned.wait(lock, [this] { return !m_free.empty(); });
        char* block = m_free.back();
        m_free.pop_back();
        return block;
    }

    void giveBack(char* block)
    {
        std::lock_guard lock(m_mutex);
        m_free.push_back(block);
        m_returned.notify_all();
    }

    void flush()
    {
        if (m_used == 0)
            return;
        char* block = m_block;
        m_writer.write(block, m_used, [this, block] { giveBack(block); });
        m_used = 0;
        m_block = takeBlock();
    }

    std::array<std::unique_ptr<char[]>, blockCount> m_blocks;
    int m_made = 0;
    std::vector<char*> m_free;
    std::mutex m_mutex;
    std::condition_variable m_returned;
    char* m_block = nullptr;
    qsizetype m_used = 0;
    DeviceWriter m_writer; // last: its thread stops before the blocks go
};

template <typename Output> void writeAll(const ContentView& content, QByteArrayView header, Output& out)
{
    const auto line = [&out](QByteArrayView text) {
        out.put(text);
        out.put(lineEnd);
    };
    const auto rows = [&out](const RowStore& store) {
        store.writeLines([&out](QByteArrayView piece) { out.put(piece); });
    };
    line(header);
    line("objs");
    rows(content.table(LineKind::Object));
    line("end");
    line("tobj");
    rows(content.table(LineKind::TimedObject));
    line("end");
    line("Path");
    if (!content.pathText.isEmpty())
        line(content.pathText);
    line("end");
    line("2dfx");
    line("# Lights");
    rows(content.table(LineKind::Light));
    line("# ped animations");
    rows(content.table(LineKind::PedArea));
    line("# particle");
    rows(content.table(LineKind::Particle));
    line("# sun reflections");
    rows(content.table(LineKind::Sun));
    line("end");
}

} // namespace

QByteArray headerLine(const QDateTime& when)
{
    const QLocale locale = QLocale::system();
    QString stamp = locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                    locale.toString(when.time(), QLocale::ShortFormat);
    stamp.remove(QLatin1Char(','));
    return "# Generated from Tarnel by Quorbin  " + stamp.toLatin1();
}

qsizetype ideSizeHint(const ContentView& content, QByteArrayView header)
{
    return sizeHint(content, header);
}

void writeIde(const ContentView& content, QByteArrayView header, const PieceSink& out)
{
    struct SinkOutput {
        const PieceSink& sink;
        void put(QByteArrayView piece) const { sink(piece); }
    } output{out};
    writeAll(content, header, output);
}

bool writeIde(const ContentView& content, QByteArrayView header, QIODevice& device)
{
    DeviceOutput out(device, sizeHint(content, header));
    writeAll(content, header, out);
    return out.finish();
}

bool writePieces(QIODevice& device, qsizetype expectedSize, const std::function<void(const PieceSink&)>& produce)
{
    DeviceOutput out(device, expectedSize);
    produce([&out](QByteArrayView piece) { out.put(piece); });
    return out.finish();
}

} // namespace tarnel
