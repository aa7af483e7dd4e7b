#include "ui/BracketPainter.h"

#include "ui/QtText.h"

#include <QPainter>

namespace kivp::ui {

namespace {

const QColor kLineColour(96, 96, 96);
const QColor kHomeColour(46, 125, 50);
const QColor kByeColour(100, 100, 100);

// The size a point font has on a 96 dpi screen, so a scaled painter sets the text where the window does.
QFont screenSized(QFont font) {
    if (font.pointSizeF() > 0)
        font.setPixelSize(qRound(font.pointSizeF() * 96.0 / 72.0));
    return font;
}

} // namespace

void paintJoiningLines(QPainter& painter, const Bracket& bracket) {
    painter.save();
    painter.setPen(QPen(kLineColour, 1));
    for (const layout::Segment& s : layout::BracketLayout(bracket).joiningLines())
        painter.drawLine(s.x1, s.y1, s.x2, s.y2);
    painter.restore();
}

void paintBracket(QPainter& painter, const Bracket& bracket, const QFont& font) {
    paintJoiningLines(painter, bracket);
    painter.save();
    const QFont text = screenSized(font);
    painter.setFont(text);
    painter.setPen(Qt::black);
    const layout::BracketLayout places(bracket);
    for (const layout::Heading& heading : places.headings()) {
        if (places.headingShown(heading))
            painter.drawText(qtRect(heading.box), Qt::AlignCenter, toQt(heading.text));
    }
    for (int slot = 1; slot <= bracket.teamSlotCount(); ++slot) {
        if (!bracket.slotShown(slot))
            continue;
        const Qt::Alignment side = places.onRightHalf(slot) ? Qt::AlignRight : Qt::AlignLeft;
        const QRect name = qtRect(places.nameBox(slot));
        const QString team = toQt(bracket.slot(slot));
        painter.drawText(name, side | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(team, Qt::ElideRight, name.width()));
        painter.drawText(qtRect(places.winCountBox(slot)), Qt::AlignCenter, toQt(bracket.winCount(slot)));
        const HomeButton& home = bracket.speedButton(slot + 1);
        if (home.shown && home.down) {
            const QRect mark = qtRect(places.homeButtonBox(slot));
            painter.save();
            painter.setPen(Qt::NoPen);
            painter.setBrush(kHomeColour);
            painter.drawRoundedRect(mark, 2, 2);
            QFont bold = text;
            bold.setPixelSize(9);
            bold.setBold(true);
            painter.setFont(bold);
            painter.setPen(Qt::white);
            painter.drawText(mark, Qt::AlignCenter, "H");
            painter.restore();
        }
    }
    QFont quiet = text;
    quiet.setItalic(true);
    for (const layout::ByeMark& bye : places.byes()) {
        if (!bracket.slotShown(bye.slot))
            continue;
        painter.save();
        painter.setFont(quiet);
        painter.setPen(kByeColour);
        const Qt::Alignment side = places.onRightHalf(bye.slot) ? Qt::AlignRight : Qt::AlignLeft;
        painter.drawText(qtRect(bye.box), side | Qt::AlignVCenter, "bye");
        painter.restore();
    }
    if (bracket.slotShown(bracket.championSlot())) {
        const QRect champion = qtRect(places.nameBox(bracket.championSlot()));
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(champion.adjusted(0, 0, -1, -1));
        painter.drawText(champion, Qt::AlignCenter, toQt(bracket.champion()));
    }
    painter.restore();
}

} // namespace kivp::ui
