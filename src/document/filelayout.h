#pragma once

#include "document/linekind.h"

#include <QByteArray>

#include <array>
#include <vector>

namespace tarnel {

// What a save that keeps the file's layout needs to know of the file a
// document was read from. Lines are numbered from 1, as row identities are.
struct FileLayout {
    // What became of a line when it was read. Every other line (blank,
    // keyword, `end`, comment, other section) is written back as it is.
    enum class Role : quint8 { Kept = 0, Row = 1, Path = 2 };
    // The sections rows can be added to, by their keyword.
    enum Section { Objs, Tobj, Effects, sectionCount };

    bool read = false;     // false: no file to follow (a new document)
    QByteArray bytes;      // the file as read
    qsizetype bomSize = 0; // a UTF-8 byte order mark before the first line
    qsizetype lineCount = 0;
    QByteArray pathText; // the path store as read
    // The `end` line closing the last section of each keyword; lineCount + 1
    // when that section runs to the end of the file; 0 when there is none.
    std::array<qsizetype, sectionCount> lastSectionEnd{};
    // The first path section: its keyword line and the line closing it
    // (lineCount + 1 at the end of the file); 0 when there is none.
    qsizetype firstPathStart = 0;
    qsizetype firstPathEnd = 0;
    // No `end` closes the section the last line lies in.
    bool endsInsideSection = false;

    Role role(qsizetype line) const
    {
        const qsizetype i = line - 1;
        return size_t(i / 4) < m_roles.size() ? Role((m_roles[size_t(i / 4)] >> (2 * (i % 4))) & 3) : Role::Kept;
    }
    void setRole(qsizetype line, Role role)
    {
        const size_t i = size_t(line - 1);
        if (i / 4 >= m_roles.size())
            m_roles.resize(qMax(i / 4 + 1, m_roles.size() * 2));
        const int shift = int(2 * (i % 4));
        m_roles[i / 4] = quint8((m_roles[i / 4] & ~(3u << shift)) | (unsigned(role) << shift));
    }
    void setLineCount(qsizetype lines)
    {
        lineCount = lines;
        m_roles.resize(size_t(lines + 3) / 4);
        m_roles.shrink_to_fit();
    }
    // Takes over the roles of `other`, whose line 1 is line `firstLine` here.
    void appendRoles(const FileLayout& other, qsizetype firstLine)
    {
        // A byte at a time: its four lines land across one or two bytes here.
        const size_t first = size_t(firstLine - 1);
        const int shift = int(first % 4) * 2;
        m_roles.resize(qMax(m_roles.size(), (first + size_t(other.lineCount) + 3) / 4 + 1));
        for (size_t k = 0; k < other.m_roles.size(); ++k) {
            const unsigned bits = unsigned(other.m_roles[k]) << shift;
            m_roles[first / 4 + k] |= quint8(bits);
            if (bits >> 8)
                m_roles[first / 4 + k + 1] |= quint8(bits >> 8);
        }
    }

    static Section sectionOf(LineKind kind)
    {
        return kind == LineKind::Object ? Objs : kind == LineKind::TimedObject ? Tobj : Effects;
    }

private:
    std::vector<quint8> m_roles; // two bits a line
};

} // namespace tarnel
