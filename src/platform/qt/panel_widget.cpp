#include "platform/qt/panel_widget.h"

namespace vz {

PanelWidget::PanelWidget(const QString& caption, int captionBarHeight, QWidget* parent)
    : QFrame(parent), captionBarHeight_(captionBarHeight) {
    setObjectName("panelWidget");
    setAutoFillBackground(true);
    setStyleSheet(
        "#panelWidget { background: white; border: 1px solid #8a99ad; }"
        "#panelCaption { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f7fb, "
        "stop:1 #d9e2ee); color: black; font-weight: bold; padding-left: 6px; "
        "border-bottom: 1px solid #8a99ad; }");
    caption_ = new QLabel(caption, this);
    caption_->setObjectName("panelCaption");
    collapseButton_ = new QToolButton(this);
    collapseButton_->setObjectName("collapseButton");
    collapseButton_->setAutoRaise(true);
    collapseButton_->setCursor(Qt::PointingHandCursor);
}

void PanelWidget::showCollapsed(bool collapsed, int fullHeight) {
    resize(width(), collapsed ? captionBarHeight_ : fullHeight);
    caption_->setGeometry(0, 0, width(), captionBarHeight_);
    collapseButton_->setGeometry(width() - captionBarHeight_, 1, captionBarHeight_ - 2,
                                 captionBarHeight_ - 2);
    collapseButton_->setArrowType(collapsed ? Qt::DownArrow : Qt::UpArrow);
    collapseButton_->raise();
    caption_->lower();
}

}  // namespace vz
