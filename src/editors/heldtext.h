#pragma once

#include <QString>

namespace tarnel {

// A field with a typing limit cuts a longer text given to it, so a longer
// value read from a row ("12.5" in a three-character colour field) would be
// written back cut. The whole value is held here and stands for the field
// until the field's text changes away from the cut form.
class HeldText {
public:
    // Before the field is given `whole`; holds it only if the limit cuts it.
    void hold(const QString& whole, int limit)
    {
        if (whole.size() > limit) {
            m_whole = whole;
            m_shown = whole.left(limit);
        } else {
            release();
        }
    }
    // On every change of the field's text.
    void fieldChanged(const QString& text)
    {
        if (isHolding() && text != m_shown)
            release();
    }
    // What the field stands for when it shows `fieldText`.
    QString valueFor(const QString& fieldText) const
    {
        return isHolding() && fieldText == m_shown ? m_whole : fieldText;
    }

private:
    bool isHolding() const { return !m_whole.isNull(); }
    void release()
    {
        m_whole = QString();
        m_shown = QString();
    }

    QString m_whole;
    QString m_shown;
};

} // namespace tarnel
