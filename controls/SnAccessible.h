#pragma once

class QAccessibleInterface;
class QObject;

// Accessible interfaces of the custom controls (check box, label, memo and
// rich edit frames); nullptr for any other object.
QAccessibleInterface* CreateControlsAccessible(QObject* object);
