#pragma once

class QWidget;

// The value-box table (data/ValueFields.h) applied to a window that holds the sixteen value boxes.

// Sets every value box's range, steps, decimals, length and repeat from the table.
void SetUpValueBoxes(QWidget* window);

// Shows the panels of the armed-only values for an armed ship and hides them for any other.
void ShowArmedOnlyPanels(QWidget* window, bool armed);
