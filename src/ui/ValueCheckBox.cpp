#include "ValueCheckBox.h"

namespace ui {

ValueCheckBox::ValueCheckBox(QWidget* parent)
    : QCheckBox(parent)
{
    connect(this, &QCheckBox::stateChanged, this, [this] { emit valueChanged(value()); });
}

int ValueCheckBox::value() const
{
    switch (checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Unchecked:
        break;
    }
    return 0;
}

bool ValueCheckBox::setValue(int value)
{
    switch (value) {
    case 0:
        setCheckState(Qt::Unchecked);
        return true;
    case 1:
        setCheckState(Qt::Checked);
        return true;
    case 2:
        setCheckState(Qt::PartiallyChecked);
        return true;
    default:
        return false;
    }
}

void ValueCheckBox::nextCheckState()
{
    setValue(value() == 1 ? 0 : 1);
}

} // namespace ui
