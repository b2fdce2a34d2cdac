#include "mainwindow/aboutdialog.h"

#include "texts/texts.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <iterator>

// The resources live in a static library: ask for them by name so the linker keeps them.
// Kept outside any namespace, where the resource's init function is declared.
static void initAboutResources()
{
    static bool registered = false;
    if (!registered) {
        Q_INIT_RESOURCE(about);
        registered = true;
    }
}

namespace tarnel {

namespace {

constexpr int margin = 12;

} // namespace

QString AboutDialog::picturePath()
{
    initAboutResources();
    return QStringLiteral(":/tarnel/about.gif");
}

QString AboutDialog::homePage()
{
    return texts::homePage;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), m_picture(picturePath())
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(texts::aboutTitle);
    setModal(true);
    setFixedSize(pictureWidth, pictureHeight);

    auto* close = new QPushButton(texts::menuClose, this);
    close->setObjectName(QStringLiteral("aboutCloseButton"));
    close->setDefault(true);
    const QSize buttonSize = close->sizeHint().expandedTo(QSize(80, 0));
    close->setGeometry(pictureWidth - margin - buttonSize.width(), pictureHeight - margin - buttonSize.height(),
                       buttonSize.width(), buttonSize.height());
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(8.25);
    QPalette white = palette();
    white.setColor(QPalette::WindowText, QColor(0xff, 0xff, 0xff));

    struct Line {
        const char* name;
        QString text;
    };
    const Line lines[] = {
        {"version", texts::aboutVersion},
        {"built", texts::aboutBuilt},
        {"credits", texts::aboutCredits},
        {"homePage", homePage()},
    };
    // Stacked upwards from just above the button, right-aligned with it.
    const int lineHeight = QFontMetrics(font).height() + 2;
    const int width = 300;
    int top = close->y() - margin - lineHeight * int(std::size(lines));
    for (const Line& line : lines) {
        auto* label = new QLabel(line.text, this);
        label->setObjectName(QString::fromLatin1(line.name));
        label->setFont(font);
        label->setPalette(white);
        label->setAutoFillBackground(false);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(pictureWidth - margin - width, top, width, lineHeight);
        top += lineHeight;
    }
}

void AboutDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

} // namespace tarnel
