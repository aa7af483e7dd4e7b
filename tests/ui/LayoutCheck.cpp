#include "LayoutCheck.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <cmath>

namespace kivp::test {

namespace {

QString describe(const QWidget* widget) {
    const QString name = widget->objectName();
    return name.isEmpty() ? QString(widget->metaObject()->className()) : name;
}

// The text as drawn: a mnemonic's "&" becomes the underline, "&&" a single "&".
QString shown(QString text) {
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QChar(1), QLatin1Char('&'));
}

// A caption that needs more room than its widget gives it.
void cut(const QWidget* widget, const QString& text, QSize needed, QSize room, QStringList& faults) {
    if (needed.width() > room.width() || needed.height() > room.height())
        faults << QString("%1: \"%2\" needs %3x%4, has %5x%6")
                      .arg(describe(widget), text)
                      .arg(needed.width())
                      .arg(needed.height())
                      .arg(room.width())
                      .arg(room.height());
}

// What of the widget's own drawing the user could never see: a caption wider or taller than the room for it.
void checkLabel(const QLabel* label, QStringList& faults) {
    if (label->text().isEmpty())
        return;
    const QString text = label->buddy() ? shown(label->text()) : label->text();
    QRect room =
        label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    if (label->indent() > 0)
        room.setWidth(room.width() - label->indent());
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QFontMetrics metrics = label->fontMetrics();
    QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 100000), flags, text);
    // Whole lines, without the space after the last one (the box of the glyphs may round a pixel over).
    const int lines = std::max(1, qRound(double(needed.height()) / metrics.lineSpacing()));
    needed.setHeight(lines * metrics.lineSpacing() - metrics.leading());
    cut(label, text, needed.size(), room.size(), faults);
}

void checkButton(const QAbstractButton* button, QStringList& faults) {
    if (button->text().isEmpty())
        return;
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = button->rect();
    option.text = button->text();
    const QStyle::SubElement contents = qobject_cast<const QCheckBox*>(button) ? QStyle::SE_CheckBoxContents
                                        : qobject_cast<const QRadioButton*>(button)
                                            ? QStyle::SE_RadioButtonContents
                                            : QStyle::SE_PushButtonContents;
    // A tool button draws its caption inside its frame, not in a push button's contents.
    const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    const QRect room = qobject_cast<const QToolButton*>(button)
                           ? button->rect().adjusted(frame, frame, -frame, -frame)
                           : button->style()->subElementRect(contents, &option, button);
    const QString text = shown(button->text());
    const QFontMetrics metrics = button->fontMetrics();
    cut(button, text, QSize(metrics.horizontalAdvance(text), metrics.height()), room.size(), faults);
}

void checkTabs(const QTabBar* bar, QStringList& faults) {
    const int space = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
    for (int i = 0; i < bar->count(); ++i) {
        const QRect tab = bar->tabRect(i);
        if (!bar->rect().contains(tab) ||
            bar->fontMetrics().horizontalAdvance(shown(bar->tabText(i))) + space > tab.width())
            faults << QString("%1: tab \"%2\" is cut").arg(describe(bar), bar->tabText(i));
    }
}

// Every header and every cell of a table shows its whole text in its column.
void checkTable(const QTreeWidget* table, QStringList& faults) {
    const QHeaderView* header = table->header();
    const int headerMargin = 2 * table->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int cellMargin =
        2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
    for (int column = 0; column < table->columnCount(); ++column) {
        const int width = header->sectionSize(column);
        QStringList texts{table->headerItem()->text(column)};
        for (int row = 0; row < table->topLevelItemCount(); ++row)
            texts << table->topLevelItem(row)->text(column);
        for (int i = 0; i < texts.size(); ++i) {
            const QFontMetrics& metrics = i == 0 ? header->fontMetrics() : table->fontMetrics();
            if (metrics.horizontalAdvance(texts[i]) + (i == 0 ? headerMargin : cellMargin) > width)
                faults << QString("%1: \"%2\" is wider than its column (%3)")
                              .arg(describe(table), texts[i])
                              .arg(width);
        }
    }
}

// The rows of a list are read whole, without scrolling sideways.
void checkListRows(const QListWidget* list, QStringList& faults) {
    const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    for (int row = 0; row < list->count(); ++row) {
        const QString text = list->item(row)->text();
        if (list->fontMetrics().horizontalAdvance(text) + margin > list->viewport()->width())
            faults << QString("%1: row \"%2\" is cut").arg(describe(list), text);
    }
}

// The four strips, two pixels wide, along the inside of an area's edge.
QList<QRect> bands(const QRect& area) {
    return {area.adjusted(0, 0, 0, -(area.height() - 2)), area.adjusted(0, area.height() - 2, 0, 0),
            area.adjusted(0, 0, -(area.width() - 2), 0), area.adjusted(area.width() - 2, 0, 0, 0)};
}

// Widgets that arrange their own insides, which no layout of ours places.
bool compound(const QWidget* widget) {
    return qobject_cast<const QAbstractScrollArea*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QTabBar*>(widget);
}

void checkChildren(const QWidget* parent, QStringList& faults) {
    QList<const QWidget*> placed;
    for (const QObject* object : parent->children()) {
        const auto* child = qobject_cast<const QWidget*>(object);
        if (!child || child->isWindow() || !child->isVisible())
            continue;
        if (!child->objectName().startsWith("qt_")) {
            if (!parent->rect().contains(child->geometry()))
                faults << QString("%1 reaches past the edge of %2").arg(describe(child), describe(parent));
            for (const QWidget* other : placed) {
                if (other->geometry().intersects(child->geometry()))
                    faults << QString("%1 overlaps %2").arg(describe(child), describe(other));
            }
            placed << child;
        }
        if (!compound(child))
            checkChildren(child, faults);
    }
}

double luminance(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// The outer two pixels of an area against what lies just left of the widget it is drawn in, whose left edge
// is at x: a field's frame, or the indicator that shows where a check box is, checked or not.
QStringList edgeFault(const Shot& shot, const QWidget* widget, const QRect& area, int x, const char* what) {
    const QColor behind = shot.at(QPoint(x - 1, area.center().y()));
    double ratio = 1;
    for (const QRect& band : bands(area))
        ratio = std::max(ratio, shot.strongestContrast(band, behind));
    if (ratio >= 3)
        return {};
    return {QString("%1: %2 contrast %3").arg(describe(widget), what).arg(ratio, 0, 'f', 2)};
}

// A field, spin box or drop-down drawn with its frame.
bool framed(const QWidget* widget) {
    if (const auto* field = qobject_cast<const QLineEdit*>(widget))
        return field->hasFrame();
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(widget))
        return spin->hasFrame();
    const auto* list = qobject_cast<const QComboBox*>(widget);
    return list && list->hasFrame();
}

// A palette of one window colour, one colour for fields and cells, and one for every text.
QPalette paletteOf(const QColor& window, const QColor& base, const QColor& text, const QColor& highlight) {
    QPalette palette(text, window, window.lighter(130), window.darker(150), window.darker(120), text, text,
                     base, window);
    palette.setColor(QPalette::AlternateBase, base.lighter(120));
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::Link, highlight);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(127, 127, 127));
    return palette;
}

} // namespace

void addPaletteRows() {
    QTest::addColumn<QPalette>("palette");
    QTest::addRow("light") << QApplication::style()->standardPalette();
    QTest::addRow("dark") << paletteOf(QColor(53, 53, 53), QColor(35, 35, 35), QColor(230, 230, 230),
                                       QColor(42, 130, 218));
    QTest::addRow("high contrast") << paletteOf(Qt::black, Qt::black, Qt::white, Qt::yellow);
}

void settleLayouts() {
    for (int level = 0; level < 10; ++level)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

QStringList cutCaptions(const QWidget* window) {
    QStringList faults;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            checkLabel(label, faults);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            checkButton(button, faults);
        else if (const auto* bar = qobject_cast<const QTabBar*>(widget))
            checkTabs(bar, faults);
        else if (const auto* table = qobject_cast<const QTreeWidget*>(widget))
            checkTable(table, faults);
        else if (const auto* list = qobject_cast<const QListWidget*>(widget))
            checkListRows(list, faults);
        else if (const auto* group = qobject_cast<const QGroupBox*>(widget);
                 group && group->minimumSizeHint().width() > group->width())
            faults << QString("%1: title \"%2\" is cut").arg(describe(group), group->title());
    }
    return faults;
}

QStringList overlaps(const QWidget* window) {
    QStringList faults;
    checkChildren(window, faults);
    return faults;
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Shot::Shot(QWidget* window) {
    const QPixmap picture = window->grab();
    m_image = picture.toImage();
    m_ratio = picture.devicePixelRatio();
}

QColor Shot::at(const QPoint& point) const {
    return m_image.pixelColor(QPoint(int(point.x() * m_ratio), int(point.y() * m_ratio)));
}

double Shot::strongestContrast(const QRect& area, const QColor& against) const {
    const QRect pixels =
        QRect(QPoint(int(std::ceil(area.left() * m_ratio)), int(std::ceil(area.top() * m_ratio))),
              QPoint(int((area.right() + 1) * m_ratio) - 1, int((area.bottom() + 1) * m_ratio) - 1))
            .intersected(m_image.rect());
    double strongest = 1;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            strongest = std::max(strongest, contrastRatio(m_image.pixelColor(x, y), against));
    }
    return strongest;
}

QStringList lowContrast(QWidget* window) {
    QStringList faults;
    const Shot shot(window);
    const auto inWindow = [window](const QWidget* widget, const QRect& area) {
        return QRect(widget->mapTo(window, area.topLeft()), area.size());
    };
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisible() || !widget->isEnabled())
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget); label && !label->text().isEmpty()) {
            // The label's top left corner is its background: captions keep off their own edges.
            const QRect area = inWindow(label, label->contentsRect());
            const double ratio = shot.strongestContrast(area, shot.at(area.topLeft()));
            if (ratio < 4.5)
                faults << QString("%1: text contrast %2").arg(describe(label)).arg(ratio, 0, 'f', 2);
        } else if (qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget)) {
            const auto* button = static_cast<const QAbstractButton*>(widget);
            QStyleOptionButton option;
            option.initFrom(button);
            option.rect = button->rect();
            const QRect indicator =
                inWindow(button, button->style()->subElementRect(qobject_cast<const QCheckBox*>(button)
                                                                     ? QStyle::SE_CheckBoxIndicator
                                                                     : QStyle::SE_RadioButtonIndicator,
                                                                 &option, button));
            faults << edgeFault(shot, button, indicator, inWindow(button, button->rect()).left(),
                                "indicator");
        } else if (framed(widget)) {
            const QRect area = inWindow(widget, widget->rect());
            faults << edgeFault(shot, widget, area, area.left(), "edge");
        }
    }
    return faults;
}

} // namespace kivp::test
