#pragma once

#include <QDialog>
#include <QPixmap>

namespace tarnel {

// The About box: the program's picture with the version, build date, credits
// and home page written over its lower right corner.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int pictureWidth = 640;
    static constexpr int pictureHeight = 349;

    explicit AboutDialog(QWidget* parent = nullptr);

    // Where the picture is kept among the program's resources.
    static QString picturePath();
    static QString homePage();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

} // namespace tarnel
