#include "viewing/info_window.h"

#include "foundation/error.h"
#include "foundation/error_display.h"
#include "foundation/window_frame.h"
#include "viewing/jpeg_decoder.h"

#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

using namespace Qt::StringLiterals;

// The resource lives in a static library; this pulls it into every program that uses the window.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

QByteArray infoPictureStream()
{
    initResources();
    QFile file(u":/info.jpg"_s);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(u"Cannot open file %1"_s.arg(file.fileName()));
    return file.readAll();
}

Form14::Form14(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form14"_s);
    setUpWindow(this, QString(), Border::None, 446, 163, 403, 303);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(Image1, 0, 0, 400, 300);
    // Decoded once; a damaged picture is reported and the window stays blank.
    runGuarded([this] {
        const QImage picture = decodeJpeg(infoPictureStream());
        Image1->setPixmap(QPixmap::fromImage(picture));
        Image1->resize(picture.size());
    });

    Button1 = addControl<QPushButton>(u"Button1"_s, this, 168, 272, 75, 25, u"Schließen"_s);
    Button1->raise();
    connectHandler(Button1, &QPushButton::clicked, this, &Form14::Button1Click);

    show(); // created visible
}

void Form14::Button1Click()
{
    close();
}
