#pragma once
// What the two panes of the main dialog share: the host, the client size of
// the last WM_SIZE, the size handling that lays out the pane and then the main dialog,
// and the grip along one edge by which the user sizes the pane.
#include <windows.h>

#include "framework/Dialog.h"
#include "ui/PaneHost.h"

// The edge of a pane that the user drags to size it.
enum class GripEdge { Right, Bottom };

class CPaneDialog : public CDialog {
 public:
  // The least a pane keeps across its grip, so that it can always be found and dragged back.
  static constexpr int kMinExtent = 40;

 protected:
  CPaneDialog(UINT templateId, IPaneHost& host, HWND parent, GripEdge gripEdge)
      : CDialog(templateId, parent), m_pMainDlg(&host), m_gripEdge(gripEdge) {}

  IPaneHost* const m_pMainDlg;  // not owned; the window that holds the pane
  int m_cxClient = 0;
  int m_cyClient = 0;

  // Takes the client size from the window, since the WM_SIZE of its creation came before
  // the pane saw any message; then the framework's initialisation.
  BOOL OnInitDialog() override;

  // The rows every pane handles alike: sizing, the grip, Enter and Esc swallowed and Tab
  // handed on. A pane's own table names them as its base and may override a row.
  static const MessageTable& PaneMessageTable();

  // Places the pane's controls from m_cxClient and m_cyClient.
  virtual void LayOutControls() = 0;

  // When the pane has been resized: its own controls, then the main dialog's layout.
  LRESULT OnSize(WPARAM wParam, LPARAM lParam, bool& handled);
  // When Enter or Esc reaches the pane: swallowed, so that the pane never closes.
  LRESULT OnSwallowedCommand(WPARAM wParam, LPARAM lParam, bool& handled);
  // When Tab asks for the next control: the main dialog chooses it, so that the tab order
  // runs through the pane's controls and on to the main dialog's.
  LRESULT OnNextDlgCtl(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the mouse moves over the pane: the sizing cursor over the grip.
  LRESULT OnGripMouseMove(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the left button is pressed on the pane: on the grip, the system starts sizing
  // the pane by its grip edge.
  LRESULT OnGripLButtonDown(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the system asks how far the pane may be sized: never below kMinExtent across
  // the grip.
  LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam, bool& handled);

 private:
  // True for a client point in the band from 7 to 3 pixels inside the grip edge.
  bool IsOnGrip(LPARAM point) const;
  void SetGripCursor() const;

  const GripEdge m_gripEdge;
};
