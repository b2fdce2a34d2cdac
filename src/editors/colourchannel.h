#pragma once

#include "editors/columnbinding.h"
#include "editors/heldtext.h"

class QLineEdit;

namespace tarnel {

class Platform;

// One of the red, green and blue fields: at most three characters typed, only
// digits, point and space taken from the keyboard (anything else beeps), never
// empty and never above 255.
class ColourChannel : public ColumnBinding {
    Q_OBJECT
public:
    static constexpr int typedLimit = 3;

    ColourChannel(QLineEdit* field, const QString& label, Platform& platform, QObject* parent = nullptr);

    QLineEdit* field() const { return m_field; }
    // The channel as the swatch takes it: whole, 0 to 255; text that is no number counts as 0.
    int level() const;

    void load(const QString& text) override;
    QString value() const override;
    QLineEdit* requiredField() const override { return m_field; }
    QString label() const override { return m_label; }
    QList<QWidget*> focusWidgets() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyRules(const QString& text);

    QLineEdit* m_field;
    QString m_label;
    Platform& m_platform;
    HeldText m_held;
};

} // namespace tarnel
