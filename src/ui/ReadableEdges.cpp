#include "ui/ReadableEdges.h"

#include "ui/PaletteContrast.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>
#include <cmath>
#include <functional>

namespace kivp::ui {

namespace {

// The least contrast a control's edge needs to be seen against what is behind it; a disabled control's edge
// shows fainter, but still shows.
constexpr double kEdgeContrast = 3.0;
constexpr double kDisabledEdgeContrast = 1.8;

class ReadableEdges : public QProxyStyle {
public:
    explicit ReadableEdges(QObject* owner)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
        setParent(owner);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        const auto draw = [this, element, widget](const QStyleOption* o, QPainter* p) {
            baseStyle()->drawPrimitive(element, o, p, widget);
        };
        if (element == PE_IndicatorCheckBox || element == PE_IndicatorRadioButton) {
            if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) {
                // Measured unchecked: the edge is what shows where the box is before it is checked.
                QStyleOptionButton unchecked = *button;
                unchecked.state = (unchecked.state & ~(State_On | State_NoChange)) | State_Off;
                // An indicator has no ground of its own: it is drawn on its button's (a grid cell's, say).
                outlineIfFaint(unchecked, element, groundOf(widget), painter,
                               element == PE_IndicatorRadioButton, draw);
            }
        } else if (element == PE_PanelLineEdit) {
            const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
            if (frame && frame->lineWidth > 0)
                outlineIfFaint(*frame, element, groundOf(widget ? widget->parentWidget() : nullptr), painter,
                               false, draw);
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        const auto draw = [this, control, widget](const QStyleOption* o, QPainter* p) {
            baseStyle()->drawComplexControl(control, static_cast<const QStyleOptionComplex*>(o), p, widget);
        };
        const QColor ground = groundOf(widget ? widget->parentWidget() : nullptr);
        if (const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option);
            control == CC_SpinBox && spin && spin->frame)
            outlineIfFaint(*spin, 1000 + control, ground, painter, false, draw);
        else if (const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
                 control == CC_ComboBox && combo && combo->frame)
            outlineIfFaint(*combo, 1000 + control, ground, painter, false, draw);
    }

private:
    using Draw = std::function<void(const QStyleOption*, QPainter*)>;

    static QColor groundOf(const QWidget* widget) {
        return widget ? widget->palette().color(widget->backgroundRole())
                      : QApplication::palette().window().color();
    }

    // Draws an outline round the control when the style's edge, drawn as measured, is too faint on ground.
    template <typename Option>
    void outlineIfFaint(Option measured, int kind, const QColor& ground, QPainter* painter, bool round,
                        const Draw& draw) const {
        const QRect where = measured.rect;
        const double needed = measured.state & State_Enabled ? kEdgeContrast : kDisabledEdgeContrast;
        measured.rect = QRect(QPoint(0, 0), where.size());
        if (edgeContrast(measured, kind, ground, painter->device()->devicePixelRatioF(), draw) >= needed)
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, round);
        // Aimed higher than the edge needs: a round edge is drawn smoothed, and so lighter.
        painter->setPen(QPen(standingOut(ground, measured.palette.color(QPalette::Mid),
                                         measured.palette.color(QPalette::Text), needed * 1.5),
                             1));
        painter->setBrush(Qt::NoBrush);
        const QRectF edge = QRectF(where).adjusted(0.5, 0.5, -0.5, -0.5);
        if (round)
            painter->drawEllipse(edge);
        else
            painter->drawRect(edge);
        painter->restore();
    }

    // The strongest contrast the outer two pixels of the style's drawing have against the ground.
    double edgeContrast(const QStyleOption& option, int kind, const QColor& ground, qreal ratio,
                        const Draw& draw) const {
        const QString key = QString("%1 %2 %3x%4 %5 %6 %7")
                                .arg(kind)
                                .arg(int(option.state))
                                .arg(option.rect.width())
                                .arg(option.rect.height())
                                .arg(ratio)
                                .arg(ground.rgba())
                                .arg(option.palette.cacheKey());
        if (const auto seen = m_seen.constFind(key); seen != m_seen.cend())
            return *seen;

        QImage image(option.rect.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(ground);
        QPainter painter(&image);
        draw(&option, &painter);
        painter.end();
        const int band = std::max(1, int(std::lround(2 * ratio)));
        double strongest = 1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (x < band || y < band || x >= image.width() - band || y >= image.height() - band)
                    strongest = std::max(strongest, contrastRatio(image.pixelColor(x, y), ground));
            }
        }
        return m_seen[key] = strongest;
    }

    mutable QHash<QString, double> m_seen;
};

} // namespace

QStyle* readableEdges(QObject* owner) {
    return new ReadableEdges(owner);
}

} // namespace kivp::ui
