#pragma once

// Reaching a window's controls by object name, as the tests do. A name that
// finds nothing fails the running test function, naming the control and the
// place that asked, as QFAIL does; the caller gets a stand-in of the type
// asked for instead of a null pointer, so the test runs on to its end (its
// later checks fail or pass harmlessly) rather than crashing the program and
// every test after it.

#include <QObject>
#include <QString>
#include <QtTest>

#include <memory>
#include <source_location>
#include <type_traits>
#include <vector>

namespace support {

class ChildLookup {
public:
    template <typename T>
    T* find(const QObject* root, const char* name,
            const std::source_location& where = std::source_location::current()) const
    {
        T* found = root ? root->findChild<T*>(QString::fromLatin1(name)) : nullptr;
        if (found)
            return found;
        const QByteArray message = QByteArray("no ") + T::staticMetaObject.className() + " named " + name;
        QTest::qFail(message.constData(), where.file_name(), int(where.line()));
        if constexpr (std::is_default_constructible_v<T>) {
            auto standIn = std::make_unique<T>();
            found = standIn.get();
            m_standIns.push_back(std::move(standIn));
        }
        return found;
    }

private:
    mutable std::vector<std::unique_ptr<QObject>> m_standIns;
};

} // namespace support
