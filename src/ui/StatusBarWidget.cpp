#include "ui/StatusBarWidget.h"

#include "ui/Fonts.h"

#include <QLabel>
#include <QProgressBar>

namespace tonlira {
namespace {

constexpr int fieldMargin = 2;
constexpr int loadMaximum = 100;
constexpr int fieldFontPixels = 11;  // the small type of a status line

}  // namespace

StatusBarWidget::StatusBarWidget(QWidget* parent) : QStatusBar(parent) {
    setFixedHeight(statusBarFixedHeight);
    setSizeGripEnabled(false);
    QFont small(QString::fromLatin1(fontFamily));
    small.setPixelSize(fieldFontPixels);
    setFont(small);
    int x = 0;
    auto place = [&](QWidget* field, int index) {
        const int width = statusFieldWidths[index];
        field->setGeometry(x + fieldMargin, fieldMargin, width - 2 * fieldMargin,
                           statusBarFixedHeight - 2 * fieldMargin);
        x += width;
    };
    memoryLine_ = new QLabel(this);
    place(memoryLine_, MemoryLine);
    memoryBar_ = new QProgressBar(this);
    memoryBar_->setRange(0, loadMaximum);
    memoryBar_->setValue(0);
    memoryBar_->setTextVisible(false);
    place(memoryBar_, MemoryBar);
    title_ = new QLabel(this);
    place(title_, Title);
    time_ = new QLabel(this);
    place(time_, Time);
}

void StatusBarWidget::setFieldText(Field field, const QString& text) {
    switch (field) {
    case MemoryLine: memoryLine_->setText(text); break;
    case Title: title_->setText(text); break;
    case Time: time_->setText(text); break;
    case MemoryBar: break;
    }
}

QString StatusBarWidget::fieldText(Field field) const {
    switch (field) {
    case MemoryLine: return memoryLine_->text();
    case Title: return title_->text();
    case Time: return time_->text();
    case MemoryBar: break;
    }
    return {};
}

void StatusBarWidget::setMemoryLoad(int percent) { memoryBar_->setValue(percent); }

int StatusBarWidget::memoryLoad() const { return memoryBar_->value(); }

}  // namespace tonlira
