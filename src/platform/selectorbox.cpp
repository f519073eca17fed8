#include "selectorbox.h"

#include "twips.h"

SelectorBox::SelectorBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setInsertPolicy(QComboBox::NoInsert);
}

void SelectorBox::setTwipsGeometry(int left, int top, int width, int height)
{
    setGeometry(twipsRect(left, top, width, height));
}

void SelectorBox::setText(const QString& text)
{
    setCurrentIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void SelectorBox::showPopup()
{
    emit dropDown();
    QComboBox::showPopup();
}
