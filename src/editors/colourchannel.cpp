#include "editors/colourchannel.h"

#include "editors/editornumbers.h"
#include "platform/platform.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace tarnel {

namespace {

double numberOrZero(const QString& text)
{
    return decimalNumber(text).value_or(0.0);
}

bool isTypedCharacter(const QKeyEvent& key)
{
    // Shortcuts (select all, copy, paste) are not typing.
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key.text();
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isPrint(); });
}

bool isAllowedCharacter(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u' ';
}

bool isAllowedText(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), isAllowedCharacter);
}

// Refuses whatever the user puts in that a key could not type: pasted text and
// dropped text go through this as well as keys. A row's value given by the
// program is not refused (Qt does not apply a validator to setText), so it
// survives to be written back unchanged.
class ColourTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override { return isAllowedText(input) ? Acceptable : Invalid; }
};

} // namespace

ColourChannel::ColourChannel(QLineEdit* field, const QString& label, Platform& platform, QObject* parent)
    : ColumnBinding(parent), m_field(field), m_label(label), m_platform(platform)
{
    m_field->setMaxLength(typedLimit);
    m_field->setValidator(new ColourTextValidator(m_field));
    m_field->setText(QStringLiteral("0"));
    m_field->installEventFilter(this);
    connect(m_field, &QLineEdit::textChanged, this, &ColourChannel::applyRules);
}

int ColourChannel::level() const
{
    return colourLevel(value());
}

void ColourChannel::load(const QString& text)
{
    const QString valueBefore = value();
    const QString textBefore = m_field->text();
    m_held.hold(text, m_field->maxLength());
    m_field->setText(text);
    // A held value can change while the cut text stays the same, which Qt does not report.
    if (m_field->text() == textBefore && value() != valueBefore)
        applyRules(m_field->text());
}

QList<QWidget*> ColourChannel::focusWidgets() const
{
    return {m_field};
}

QString ColourChannel::value() const
{
    return m_held.valueFor(m_field->text());
}

void ColourChannel::applyRules(const QString& text)
{
    m_held.fieldChanged(text);
    // Each replacement comes back here as a change of its own, which reports it.
    if (text.isEmpty()) {
        m_field->setText(QStringLiteral("0"));
        return;
    }
    if (numberOrZero(value()) > 255.0) {
        m_field->setText(QStringLiteral("255"));
        return;
    }
    emit changed();
}

bool ColourChannel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isTypedCharacter(*key)) {
            // Refused here rather than by the validator alone, so that the key beeps.
            if (!isAllowedText(key->text())) {
                m_platform.beep();
                return true;
            }
        }
    }
    return ColumnBinding::eventFilter(watched, event);
}

} // namespace tarnel
