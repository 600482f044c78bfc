#pragma once

class QWidget;

// A control changes its value on a wheel event only while it holds the focus, as on the
// desktop the window comes from; Qt's combo box otherwise changes its selection (and
// reports it as the user's choice) under a pointer that merely passes over it. Installs
// the guard on every control below root.
void installWheelGuard(QWidget *root);
