// Precompiled for the platform layer's own sources only: Qt stays below the class library.
#pragma once

#include "platform/PrecompiledStd.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QString>
#include <QTimer>
#include <QWidget>
