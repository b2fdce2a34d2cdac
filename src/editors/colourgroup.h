#pragma once

#include <QColor>
#include <QWidget>

#include <array>

class QFrame;
class QPushButton;

namespace tarnel {

class ColourChannel;
class Platform;

// The red, green and blue fields of a 2dfx line with the swatch that shows
// their colour and the "Change" button that picks one from the colour dialog.
class ColourGroup : public QWidget {
    Q_OBJECT
public:
    // The sun editor shows the fields without their R, G, B captions.
    ColourGroup(Platform& platform, bool captioned, QWidget* parent = nullptr);

    // 0 red, 1 green, 2 blue.
    ColourChannel* channel(int index) const { return m_channels[size_t(index)]; }
    QPushButton* changeButton() const { return m_change; }

private:
    // The colour the three fields make now.
    QColor colour() const;
    void refreshSwatch();
    void chooseColour();

    Platform& m_platform;
    std::array<ColourChannel*, 3> m_channels{};
    QFrame* m_swatch = nullptr;
    QPushButton* m_change = nullptr;
};

} // namespace tarnel
