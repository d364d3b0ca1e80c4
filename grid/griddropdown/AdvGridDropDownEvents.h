#pragma once
// The popup grid's events that the grid drop-down republishes, one row each:
// X(drop-down event without "On", popup grid event, what the forwarder adds).
// The rows are in the forwarders' slot order; the event types are the grid events' own.
//
// What a forwarder adds:
//   Plain      passes the event on
//   Block      the popup form ignores losing activation during the call (a window the handler
//              opens must not close the popup)
//   Align      HAlign starts as the column's Alignment
//   CellColor  the brush starts with the column's Color
//   FloatFmt   FloatFormat starts empty
//   Balloon    the first mouse move after an opening sets the balloon hints up anew
//   OwnSender  the drop-down is the sender
//   Keys       not connected: the popup's keys come through ControlKeyDown/Up/Press
//   Sort       not connected: the drop-down's own sort handlers take the grid event
//   Never      not connected: the popup grid does not fire it
//   IfAssigned connected only while the drop-down's event is assigned
#define CONF_GRID_DROPDOWN_EVENTS(X)                  \
  X(GridAnchorClick, OnAnchorClick, Block)            \
  X(GridAnchorEnter, OnAnchorEnter, Plain)            \
  X(GridAnchorExit, OnAnchorExit, Plain)              \
  X(GridAnchorHint, OnAnchorHint, Plain)              \
  X(GridButtonClick, OnButtonClick, Block)            \
  X(GridCanSort, OnCanSort, Sort)                     \
  X(GridClickSort, OnClickSort, Sort)                 \
  X(GridCustomCompare, OnCustomCompare, Never)        \
  X(GridRawCompare, OnRawCompare, Never)              \
  X(GridColumnSize, OnColumnSize, Plain)              \
  X(GridColumnSizing, OnColumnSizing, Plain)          \
  X(GridEndColumnSize, OnEndColumnSize, Plain)        \
  X(GridRowSize, OnRowSize, Plain)                    \
  X(GridRowSizing, OnRowSizing, Plain)                \
  X(GridEndRowSize, OnEndRowSize, Plain)              \
  X(GridRowMove, OnRowMove, Plain)                    \
  X(GridRowMoving, OnRowMoving, Plain)                \
  X(GridRowMoved, OnRowMoved, Plain)                  \
  X(GridColumnMove, OnColumnMove, Plain)              \
  X(GridColumnMoving, OnColumnMoving, Plain)          \
  X(GridColumnMoved, OnColumnMoved, Plain)            \
  X(GridCustomCellDraw, OnCustomCellDraw, IfAssigned) \
  X(GridCustomCellBkgDraw, OnCustomCellBkgDraw, IfAssigned) \
  X(GridCellBalloon, OnCellBalloon, Plain)            \
  X(GridGetAlignment, OnGetAlignment, Align)          \
  X(GridGetCellColor, OnGetCellColor, CellColor)      \
  X(GridGetCellGradient, OnGetCellGradient, Plain)    \
  X(GridGetFloatFormat, OnGetFloatFormat, FloatFmt)   \
  X(GridGetEditorType, OnGetEditorType, Plain)        \
  X(GridGetEditorProp, OnGetEditorPropInt, Plain)     \
  X(GridCanEditCell, OnCanEditCell, Plain)            \
  X(GridEllipsClick, OnEllipsClick, Block)            \
  X(GridGetDiplText, OnGetDisplText, Plain)           \
  X(GridGetFormat, OnGetFormat, Plain)                \
  X(GridHint, OnGridHint, Plain)                      \
  X(GridMouseMove, OnMouseMove, Balloon)              \
  X(GridMouseDown, OnMouseDown, Plain)                \
  X(GridMouseUp, OnMouseUp, Plain)                    \
  X(GridKeyDown, OnKeyDown, Keys)                     \
  X(GridKeyUp, OnKeyUp, Keys)                         \
  X(GridKeyPress, OnKeyPress, Keys)                   \
  X(GridRightClickCell, OnRightClickCell, Plain)      \
  X(GridScrollHint, OnScrollHint, Plain)              \
  X(GridTopLeftChanged, OnTopLeftChanged, OwnSender)  \
  X(GridSearchEditChange, OnSearchEditChange, Plain)  \
  X(GridSpinClick, OnSpinClick, Never)                \
  X(GridAutoAddRow, OnAutoAddRow, Plain)              \
  X(GridInsertRow, OnAutoInsertRow, Plain)            \
  X(GridInsertCol, OnAutoInsertCol, Plain)            \
  X(GridDeleteRow, OnAutoDeleteRow, Plain)            \
  X(GridCanAddRow, OnCanAddRow, Plain)                \
  X(GridCanInsertRow, OnCanInsertRow, Plain)          \
  X(GridCanDeleteRow, OnCanDeleteRow, Plain)          \
  X(GridCheckBoxClick, OnCheckBoxClick, Plain)
