#pragma once

class QAccessibleInterface;
class QObject;

// Accessible interfaces of the skinned components: buttons and two-state
// buttons, the title bar and its caption buttons, tab strips and their tabs,
// group boxes, bars, and the frames around Qt's own editors, lists and
// grids; nullptr for any other object.
QAccessibleInterface* CreateSkinAccessible(QObject* object);
