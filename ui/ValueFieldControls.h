#pragma once

class QWidget;

// The value-box table (data/ValueFields.h) applied to a window that holds the sixteen value boxes.

// Sets every value box's range, steps, decimals, length and repeat from the table.
void SetUpValueBoxes(QWidget* window);

// Shows the panels of the armed-only values for an armed ship and hides them for any other.
void ShowArmedOnlyPanels(QWidget* window, bool armed);

// Puts its picture into every value panel's icon (the box name followed by "Icon", 36 × 36) the window has.
void ShowPanelPictures(QWidget* window);
