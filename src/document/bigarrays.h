#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

// Arrays for tables of a million rows.

namespace tarnel {

// Big buffers (a file's bytes, the row tables of a million-line file) are
// touched once from end to end right after they are allocated. Backed by 2 MB
// pages instead of 4 kB ones they take a few hundred page faults instead of
// tens of thousands; where the system offers no such pages this does nothing.
void preferHugePages(void* data, qsizetype size);

// The C library hands out a block bigger than its threshold as pages of its
// own, given back when freed, but raises that threshold to the size of every
// such block freed. After a big file's load (its sort frees tens of MB) the
// next blocks of a few MB would come from the heap and, once freed, stay held
// by the process. Fixed at its first value, big blocks always go back. A
// setting of the whole process: called first thing by a program's main().
void keepBigBlocksReturnable();

// A growable array of plain records that grows with realloc: a big array then
// grows in place (the system remaps its pages) instead of being copied, and a
// million-row table fills without ever moving its rows.
template <typename T> class PodArray {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    PodArray() = default;
    // n records left uninitialised, for the caller to fill.
    explicit PodArray(qsizetype n)
    {
        reserve(n);
        m_size = n;
    }
    PodArray(const PodArray& other) { *this = other; }
    PodArray(PodArray&& other) noexcept { swap(other); }
    ~PodArray() { std::free(m_data); }
    PodArray& operator=(const PodArray& other)
    {
        if (this != &other) {
            m_size = 0;
            reserve(other.m_size);
            if (other.m_size > 0)
                std::memcpy(m_data, other.m_data, size_t(other.m_size) * sizeof(T));
            m_size = other.m_size;
        }
        return *this;
    }
    PodArray& operator=(PodArray&& other) noexcept
    {
        if (this != &other) {
            clear();
            swap(other);
        }
        return *this;
    }
    // Hands the records over; the array is left empty.
    T* release()
    {
        T* data = m_data;
        m_data = nullptr;
        m_size = m_capacity = 0;
        return data;
    }
    void swap(PodArray& other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
    }

    qsizetype size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    T& operator[](size_t i) { return m_data[i]; }
    const T& operator[](size_t i) const { return m_data[i]; }
    T* begin() { return m_data; }
    T* end() { return m_data + m_size; }
    const T* begin() const { return m_data; }
    const T* end() const { return m_data + m_size; }

    void clear()
    {
        std::free(m_data);
        m_data = nullptr;
        m_size = m_capacity = 0;
    }
    void reserve(qsizetype n)
    {
        if (n <= m_capacity)
            return;
        const bool fresh = m_data == nullptr;
        T* grown = static_cast<T*>(std::realloc(m_data, size_t(n) * sizeof(T)));
        if (!grown)
            throw std::bad_alloc();
        m_data = grown;
        m_capacity = n;
        if (fresh)
            preferHugePages(m_data, n * qsizetype(sizeof(T)));
    }
    void push_back(const T& value)
    {
        if (m_size == m_capacity)
            grow(m_size + 1);
        m_data[m_size++] = value;
    }
    void insert(qsizetype position, const T& value)
    {
        if (m_size == m_capacity)
            grow(m_size + 1);
        std::memmove(static_cast<void*>(m_data + position + 1), m_data + position,
                     size_t(m_size - position) * sizeof(T));
        m_data[position] = value;
        ++m_size;
    }
    void append(const T* values, qsizetype n)
    {
        if (m_size + n > m_capacity)
            grow(m_size + n);
        if (n > 0)
            std::memcpy(static_cast<void*>(m_data + m_size), values, size_t(n) * sizeof(T));
        m_size += n;
    }
    void erase(qsizetype position)
    {
        std::memmove(static_cast<void*>(m_data + position), m_data + position + 1,
                     size_t(m_size - position - 1) * sizeof(T));
        --m_size;
    }

private:
    void grow(qsizetype needed) { reserve(std::max<qsizetype>(needed, std::max<qsizetype>(16, m_capacity * 2))); }

    T* m_data = nullptr;
    qsizetype m_size = 0;
    qsizetype m_capacity = 0;
};

// A PodArray with its free room kept where the last insertion or removal
// happened (a gap buffer): removing rows from the bottom of a selection up, or
// adding rows one after another, moves each row at most once in all instead
// of once per change. Reading stays a single comparison per access.
template <typename T> class GapArray {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    GapArray() = default;
    GapArray(const GapArray& other) { *this = other; }
    GapArray(GapArray&& other) noexcept { swap(other); }
    ~GapArray() { std::free(m_data); }
    GapArray& operator=(const GapArray& other)
    {
        if (this != &other) {
            clear();
            reserve(other.m_size);
            other.copyTo(m_data);
            m_size = other.m_size;
            m_gapStart = m_size;
        }
        return *this;
    }
    GapArray& operator=(GapArray&& other) noexcept
    {
        if (this != &other) {
            clear();
            swap(other);
        }
        return *this;
    }
    // Takes over the records of `array`.
    explicit GapArray(PodArray<T>&& array)
    {
        m_size = array.size();
        m_capacity = m_size;
        m_gapStart = m_size;
        m_data = array.release();
    }
    void swap(GapArray& other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
        std::swap(m_gapStart, other.m_gapStart);
    }

    qsizetype size() const { return m_size; }
    qsizetype capacity() const { return m_capacity; }
    bool empty() const { return m_size == 0; }
    T& operator[](size_t i) { return m_data[qsizetype(i) < m_gapStart ? qsizetype(i) : qsizetype(i) + gap()]; }
    const T& operator[](size_t i) const
    {
        return m_data[qsizetype(i) < m_gapStart ? qsizetype(i) : qsizetype(i) + gap()];
    }

    // The records one after another, the room moved behind them.
    T* contiguous()
    {
        moveGap(m_size);
        return m_data;
    }

    void clear()
    {
        std::free(m_data);
        m_data = nullptr;
        m_size = m_capacity = m_gapStart = 0;
    }
    void reserve(qsizetype n)
    {
        if (n <= m_capacity)
            return;
        moveGap(m_size);
        const bool fresh = m_data == nullptr;
        T* grown = static_cast<T*>(std::realloc(m_data, size_t(n) * sizeof(T)));
        if (!grown)
            throw std::bad_alloc();
        m_data = grown;
        m_capacity = n;
        if (fresh)
            preferHugePages(m_data, n * qsizetype(sizeof(T)));
    }
    void push_back(const T& value) { insert(m_size, value); }
    void insert(qsizetype position, const T& value)
    {
        if (gap() == 0)
            reserve(std::max<qsizetype>(16, m_capacity * 2));
        moveGap(position);
        m_data[m_gapStart++] = value;
        ++m_size;
    }
    void erase(qsizetype position)
    {
        moveGap(position);
        --m_size; // the record just after the room joins it
    }
    void append(const T* values, qsizetype n)
    {
        if (gap() < n)
            reserve(std::max<qsizetype>(m_size + n, m_capacity * 2));
        moveGap(m_size);
        if (n > 0)
            std::memcpy(static_cast<void*>(m_data + m_size), values, size_t(n) * sizeof(T));
        m_size += n;
        m_gapStart = m_size;
    }
    void copyTo(T* out) const
    {
        if (m_gapStart > 0)
            std::memcpy(static_cast<void*>(out), m_data, size_t(m_gapStart) * sizeof(T));
        if (m_size > m_gapStart)
            std::memcpy(static_cast<void*>(out + m_gapStart), m_data + m_gapStart + gap(),
                        size_t(m_size - m_gapStart) * sizeof(T));
    }

private:
    qsizetype gap() const { return m_capacity - m_size; }
    void moveGap(qsizetype position)
    {
        const qsizetype g = gap();
        if (position < m_gapStart) {
            if (g > 0)
                std::memmove(static_cast<void*>(m_data + position + g), m_data + position,
                             size_t(m_gapStart - position) * sizeof(T));
        } else if (position > m_gapStart) {
            if (g > 0)
                std::memmove(static_cast<void*>(m_data + m_gapStart), m_data + m_gapStart + g,
                             size_t(position - m_gapStart) * sizeof(T));
        }
        m_gapStart = position;
    }

    T* m_data = nullptr;
    qsizetype m_size = 0;
    qsizetype m_capacity = 0;
    qsizetype m_gapStart = 0; // records [0, m_gapStart) lie before the room
};

} // namespace tarnel
