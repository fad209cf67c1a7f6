// Draws the info window's picture and writes it as a baseline JFIF JPEG.
// Build and run once by hand; the resulting info.jpg is kept in the repository:
//   g++ -std=c++20 -fPIC make_info_picture.cpp -o make_info_picture \
//       $(pkg-config --cflags --libs Qt6Gui) && QT_QPA_PLATFORM=offscreen ./make_info_picture
// The flat areas (sky at the top left, the anvil, the glowing iron) are checked by the tests.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(QColor(0x1e, 0x3a, 0x5f));

    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    // The anvil: face, waist and foot.
    p.setBrush(QColor(0x4a, 0x4a, 0x4a));
    QPainterPath anvil;
    anvil.moveTo(70, 150);
    anvil.lineTo(250, 150);
    anvil.lineTo(250, 175);
    anvil.lineTo(200, 185);
    anvil.lineTo(200, 215);
    anvil.lineTo(230, 235);
    anvil.lineTo(90, 235);
    anvil.lineTo(120, 215);
    anvil.lineTo(120, 185);
    anvil.quadTo(80, 178, 40, 150);
    anvil.closeSubpath();
    p.drawPath(anvil);

    // The glowing iron on the anvil, and sparks flying from it.
    p.setBrush(QColor(0xf2, 0x8c, 0x28));
    p.drawRoundedRect(QRectF(130, 128, 90, 22), 8, 8);
    p.setBrush(QColor(0xff, 0xd2, 0x4a));
    for (const QPointF &spark : {QPointF(248, 120), QPointF(270, 104), QPointF(232, 106),
                                 QPointF(294, 128), QPointF(284, 92)})
        p.drawEllipse(spark, 5, 5);

    // A tag drawn as brackets beside the anvil.
    p.setPen(QPen(QColor(0x7f, 0xd4, 0x8a), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(305, 160), QPointF(285, 185), QPointF(305, 210)}));
    p.drawLine(QPointF(340, 155), QPointF(322, 215));
    p.drawPolyline(QPolygonF({QPointF(355, 160), QPointF(375, 185), QPointF(355, 210)}));

    // The title.
    p.setPen(Qt::white);
    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(40);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 14, 400, 50), Qt::AlignCenter, QStringLiteral("Tagschmied 2.0"));
    QFont subtitle(QStringLiteral("Liberation Sans"));
    subtitle.setPixelSize(16);
    p.setFont(subtitle);
    p.setPen(QColor(0xc8, 0xd6, 0xe5));
    p.drawText(QRect(0, 60, 400, 24), Qt::AlignCenter,
               QStringLiteral("Webseiten von Hand geschmiedet"));
    p.end();

    QImageWriter writer(QStringLiteral("info.jpg"), "jpeg");
    writer.setQuality(92);
    return writer.write(picture.convertToFormat(QImage::Format_RGB888)) ? 0 : 1;
}
