#include "Icons.h"

#include <cmath>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 48;

QPen outline(const QColor& colour, qreal width = 2.0)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void plusBadge(QPainter& p, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(30, 30, 17, 17));
    p.setPen(outline(Qt::white, 3));
    p.drawLine(QPointF(38.5, 33.5), QPointF(38.5, 43.5));
    p.drawLine(QPointF(33.5, 38.5), QPointF(43.5, 38.5));
}

void openTable(QPainter& p)
{
    p.setPen(outline(QColor(0x6d, 0x3b, 0x12)));
    p.setBrush(QColor(0xc8, 0x8a, 0x4a));
    for (const QPointF& c : {QPointF(22, 6), QPointF(22, 38), QPointF(6, 22), QPointF(38, 22)})
        p.drawEllipse(c, 4.5, 4.5);
    p.setBrush(QColor(0xf4, 0xe1, 0xc1));
    p.drawEllipse(QPointF(22, 22), 12, 12);
    plusBadge(p, QColor(0x2e, 0x9d, 0x3a));
}

void addConsumption(QPainter& p)
{
    p.setPen(outline(QColor(0x8a, 0x1c, 0x1c)));
    p.setBrush(QColor(0xe5, 0x3e, 0x3e));
    QPainterPath bowl;
    bowl.moveTo(4, 20);
    bowl.lineTo(40, 20);
    bowl.arcTo(QRectF(4, 2, 36, 36), 0, -180);
    p.drawPath(bowl);
    p.drawLine(QPointF(14, 38), QPointF(30, 38));
    p.setPen(outline(QColor(0x6d, 0x3b, 0x12), 2.5));
    p.drawLine(QPointF(20, 16), QPointF(40, 2));
    p.drawLine(QPointF(24, 17), QPointF(44, 5));
    plusBadge(p, QColor(0x2e, 0x9d, 0x3a));
}

void checkout(QPainter& p)
{
    p.setPen(outline(QColor(0x8a, 0x6a, 0x00)));
    p.setBrush(QColor(0xf5, 0xc5, 0x18));
    p.drawEllipse(QPointF(24, 24), 20, 20);
    p.setPen(outline(QColor(0x8a, 0x6a, 0x00), 3));
    p.drawLine(QPointF(16, 13), QPointF(24, 24));
    p.drawLine(QPointF(32, 13), QPointF(24, 24));
    p.drawLine(QPointF(24, 24), QPointF(24, 37));
    p.drawLine(QPointF(17, 25), QPointF(31, 25));
    p.drawLine(QPointF(17, 31), QPointF(31, 31));
}

void reservations(QPainter& p)
{
    p.setPen(outline(QColor(0x1d, 0x4e, 0x89)));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(5, 8, 38, 36), 4, 4);
    p.setBrush(QColor(0x2f, 0x7b, 0xd6));
    p.drawRoundedRect(QRectF(5, 8, 38, 10), 4, 4);
    p.drawLine(QPointF(14, 4), QPointF(14, 12));
    p.drawLine(QPointF(34, 4), QPointF(34, 12));
    p.setPen(outline(QColor(0x2e, 0x9d, 0x3a), 4));
    p.drawLine(QPointF(14, 30), QPointF(21, 37));
    p.drawLine(QPointF(21, 37), QPointF(35, 23));
}

void settings(QPainter& p)
{
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double angle = i * M_PI / teeth;
        const double r = (i % 2 == 0) ? 21 : 16;
        const double half = M_PI / teeth / 2.2;
        const QPointF a(24 + r * std::cos(angle - half), 24 + r * std::sin(angle - half));
        const QPointF b(24 + r * std::cos(angle + half), 24 + r * std::sin(angle + half));
        if (i == 0)
            gear.moveTo(a);
        else
            gear.lineTo(a);
        gear.lineTo(b);
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(24, 24), 7, 7);
    p.setPen(outline(QColor(0x3c, 0x3c, 0x46)));
    p.setBrush(QColor(0x8c, 0x96, 0xa5));
    p.drawPath(gear);
}

void person(QPainter& p, const QPointF& at, const QColor& colour)
{
    p.setPen(outline(colour.darker(150)));
    p.setBrush(colour);
    p.drawEllipse(at + QPointF(0, -9), 6, 6);
    p.drawChord(QRectF(at.x() - 11, at.y(), 22, 22), 0, 180 * 16);
}

void handOver(QPainter& p)
{
    person(p, QPointF(13, 20), QColor(0x2f, 0x7b, 0xd6));
    person(p, QPointF(35, 28), QColor(0xe5, 0x8a, 0x1f));
    p.setPen(outline(QColor(0x2e, 0x9d, 0x3a), 3));
    p.drawLine(QPointF(26, 6), QPointF(42, 6));
    p.drawLine(QPointF(37, 2), QPointF(42, 6));
    p.drawLine(QPointF(37, 10), QPointF(42, 6));
}

void finance(QPainter& p)
{
    p.setPen(outline(QColor(0x33, 0x33, 0x33)));
    p.drawLine(QPointF(4, 44), QPointF(44, 44));
    p.drawLine(QPointF(4, 44), QPointF(4, 4));
    const QColor colours[] = {QColor(0x2f, 0x7b, 0xd6), QColor(0x2e, 0x9d, 0x3a), QColor(0xe5, 0x3e, 0x3e)};
    const int heights[] = {16, 28, 36};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(colours[i]);
        p.setPen(outline(colours[i].darker(140), 1.5));
        p.drawRect(QRectF(9 + i * 12, 44 - heights[i], 9, heights[i]));
    }
}

void password(QPainter& p)
{
    p.setPen(outline(QColor(0x55, 0x55, 0x55), 5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(13, 4, 22, 26), 0, 180 * 16);
    p.drawLine(QPointF(13, 17), QPointF(13, 22));
    p.drawLine(QPointF(35, 17), QPointF(35, 22));
    p.setPen(outline(QColor(0x8a, 0x6a, 0x00)));
    p.setBrush(QColor(0xf5, 0xc5, 0x18));
    p.drawRoundedRect(QRectF(7, 21, 34, 24), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x55, 0x40, 0x00));
    p.drawEllipse(QPointF(24, 30), 4, 4);
    p.drawRect(QRectF(22.5, 31, 3, 8));
}

void exitIcon(QPainter& p)
{
    p.setPen(outline(QColor(0x8a, 0x1c, 0x1c)));
    p.setBrush(QColor(0xe5, 0x3e, 0x3e));
    p.drawEllipse(QPointF(24, 24), 21, 21);
    p.setPen(outline(Qt::white, 4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(13, 14, 22, 22), 120 * 16, 300 * 16);
    p.drawLine(QPointF(24, 9), QPointF(24, 23));
}

QIcon drawn(void (*draw)(QPainter&))
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return QIcon(pixmap);
}

} // namespace

QIcon Icons::tool(Tool tool)
{
    switch (tool) {
    case Tool::OpenTable:
        return drawn(openTable);
    case Tool::AddConsumption:
        return drawn(addConsumption);
    case Tool::Checkout:
        return drawn(checkout);
    case Tool::Reservations:
        return drawn(reservations);
    case Tool::Settings:
        return drawn(settings);
    case Tool::HandOver:
        return drawn(handOver);
    case Tool::Finance:
        return drawn(finance);
    case Tool::Password:
        return drawn(password);
    case Tool::Exit:
        return drawn(exitIcon);
    }
    return QIcon();
}

QIcon Icons::program()
{
    return drawn(openTable);
}
