#pragma once

#include <QObject>

// The frame property panel of the real main window.
class PanelTest : public QObject {
    Q_OBJECT
private slots:
    void delayTypedPropagates_data();
    void delayTypedPropagates();
    void damageTyped_data();
    void damageTyped();
    void flagsKeepScriptValuesUntilClicked_data();
    void flagsKeepScriptValuesUntilClicked();
    void comboStoresOnlyChosenItems();
    void boxButtons_data();
    void boxButtons();
    void focusSelectsText_data();
    void focusSelectsText();
};
