#pragma once

// Installs the presenter that shows messages as modal QMessageBoxes.
void installMessageBoxPresenter();
