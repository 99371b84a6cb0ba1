#!/usr/bin/python3
"""accessibility_check.py HOST

Starts HOST (accessibility_inspector_host), waits until it has filled its
lists, and reads its two windows as a screen reader does: over the AT-SPI
bus, by role, accessible name, description and state, and through the table
interface of the grids; then presses the grids' cell buttons through their
actions. Prints every mismatch and exits 1 if there is one. Run it through
run-on-bus, which provides the display and the buses.
"""

import os
import queue
import re
import subprocess
import sys
import tempfile
import threading
import time

try:
    import pyatspi
except ImportError:
    sys.exit("pyatspi is missing (Debian package python3-pyatspi): run scripts/install-deps")

APP_NAME = "vorlane-accessibility-host"
# Generous limits, failsafes only: what the checks wait for is polled.
APPEAR_LIMIT_S = 60
CALL_TIMEOUT_MS = 60000
ACTION_LIMIT_S = 60

INSPECTOR_HEADERS = ["No", "TagName", "type", "クリック", "Name", "値", "ツールチップ ", "リンク",
                     "innerText", "innerHtml", "id"]
# What the host's three elements read as, row by row; the click column reads
# as the button drawn in it.
INSPECTOR_ROWS = [
    ["1", "INPUT", "text", "クリック", "q", "検索語", "", "", "", "", "query"],
    ["2", "A", "", "クリック", "next", "", "", "http://b.test/", "次のページ", "次のページ", "link1"],
    ["3", "DIV", "", "", "", "", "", "", "本文", "本文", "main"],
]
# The filter panel's groups and the check boxes in each.
FILTER_CHECKS = {
    "Type": ["text", "radio", "submit", "hidden", "その他"],
    "TagName": ["A", "B", "FONT", "INPUT", "IMG", "TH", "TR", "TD", "BR", "その他"],
    "Link(href)": ["http", "その他"],
    "ツールチップ": ["その他"],
    "表示文字": ["その他", "拡張検索"],
    "Name": ["その他"],
    "ID": ["その他"],
    "表示フィルター": ["全検索", "登録検索"],
}
# Text boxes: name -> (description, text shown). None: any text.
FILTER_TEXTS = {
    "Link(href) 1": ("URLに含まれる文字列を入力", ""),
    "Link(href) 2": ("URLに含まれる文字列を入力", ""),
    "ツールチップ": ("", ""),
    "表示文字": ("表示されている文字列を入力", ""),
    "Name": ("", ""),
    "ID": ("", ""),
    "ALL": ("", "3"),
    "Links": ("", "1"),
    "Images": ("", "0"),
    "Forms": ("", "0"),
    "Frames": ("", "0"),
}
COUNT_BOXES = ["ALL", "Links", "Images", "Forms", "Frames"]
MAIN_HEADERS = ["No", "詳細", "状態", "アドレス", "タイトル", "ハンドラー", "タイプ"]
INSPECTOR_VALUE_COLUMN = 5
INSPECTOR_CLICK_COLUMN = 3
MAIN_DETAIL_COLUMN = 1


class Findings:
    def __init__(self):
        self.failures = []

    def expect(self, what, actual, expected):
        if actual != expected:
            self.failures.append(f"{what}: read {actual!r}, expected {expected!r}")
        return actual == expected

    def require(self, what, found):
        if not found:
            self.failures.append(f"{what}: not found")
        return found


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        # Cells have nothing below them worth a walk.
        if child.getRole() != pyatspi.ROLE_TABLE:
            yield from descendants(child)


def children_with(node, role, name=None):
    return [c for c in node if c is not None and c.getRole() == role and (name is None or c.name == name)]


def all_with(node, role, name=None):
    return [d for d in descendants(node) if d.getRole() == role and (name is None or d.name == name)]


def one(findings, what, candidates):
    findings.require(what, candidates)
    if len(candidates) > 1:
        findings.failures.append(f"{what}: {len(candidates)} found, expected one")
    return candidates[0] if candidates else None


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def has_state(node, state):
    return node.getState().contains(state)


def actions_of(node):
    """(name, description) of each action; None without the action interface."""
    try:
        action = node.queryAction()
    except NotImplementedError:
        return None
    return [(action.getName(i), action.getDescription(i)) for i in range(action.nActions)]


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press"))


def eventually(condition):
    deadline = time.monotonic() + ACTION_LIMIT_S
    while not condition():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.1)
    return True


class Host:
    """The host process, and the lines it prints after "ready"."""

    def __init__(self, host, config_dir):
        env = dict(os.environ, VORLANE_CONFIG_DIR=config_dir)
        self.process = subprocess.Popen([host], stdout=subprocess.PIPE, env=env, text=True)
        # Blocks until the lists are filled; the host ends with a message otherwise.
        line = self.process.stdout.readline().strip()
        if line != "ready":
            self.process.wait()
            sys.exit(f"the host did not get ready (exit code {self.process.returncode})")
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.strip())

    def printed(self, expected):
        try:
            while True:
                if self.lines.get(timeout=ACTION_LIMIT_S) == expected:
                    return True
        except queue.Empty:
            return False

    def end(self):
        self.process.terminate()
        try:
            self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


def find_application():
    deadline = time.monotonic() + APPEAR_LIMIT_S
    while True:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == APP_NAME:
                return app
        if time.monotonic() > deadline:
            sys.exit(f"{APP_NAME} did not appear on the accessibility bus within {APPEAR_LIMIT_S} s")
        time.sleep(0.2)


def check_table(findings, what, table_node, headers, rows):
    table = table_node.queryTable()
    findings.expect(f"{what}: rows", table.nRows, len(rows))
    findings.expect(f"{what}: columns", table.nColumns, len(headers))
    if table.nColumns != len(headers):
        return
    read_headers = []
    for col in range(table.nColumns):
        header = table.getColumnHeader(col)
        read_headers.append(header.name if header is not None else None)
    findings.expect(f"{what}: column headers", read_headers, headers)
    for row, expected in enumerate(rows[:table.nRows]):
        read = [table.getAccessibleAt(row, col).name for col in range(table.nColumns)]
        # None: any text.
        findings.expect(f"{what}: row {row + 1}", read, [r if e is None else e for r, e in zip(read, expected)])


def check_count_boxes(findings, panel):
    # The program writes them: a reader hears them as read-only, and Tab passes them by.
    for box in all_with(panel, pyatspi.ROLE_TEXT):
        if box.name in COUNT_BOXES:
            findings.expect(f"count box {box.name}: read-only, focusable",
                            (has_state(box, pyatspi.STATE_READ_ONLY), has_state(box, pyatspi.STATE_FOCUSABLE)),
                            (True, False))


def check_inspector_cells(findings, host, grid):
    table = grid.queryTable()
    # A value that was read may be edited; a failed one (the link has none)
    # and the other columns may not.
    editable = [has_state(table.getAccessibleAt(row, col), pyatspi.STATE_EDITABLE)
                for row, col in [(0, INSPECTOR_VALUE_COLUMN), (1, INSPECTOR_VALUE_COLUMN), (0, 4)]]
    findings.expect("inspector grid: editable 値 of the text box, of the link, Name of the text box",
                    editable, [True, False, False])
    # Only a cell that shows the button offers its press.
    findings.expect("inspector grid: actions of the DIV's クリック cell",
                    actions_of(table.getAccessibleAt(2, INSPECTOR_CLICK_COLUMN)), None)
    button = table.getAccessibleAt(0, INSPECTOR_CLICK_COLUMN)
    if findings.expect("inspector grid: actions of the text box's クリック cell", actions_of(button),
                       [("Press", "この行の要素をクリックします")]):
        press(button)
        findings.require("the page's text box clicked by the action", host.printed("clicked query"))


def check_inspector(findings, host, app):
    window = one(findings, "window ページ情報", children_with(app, pyatspi.ROLE_DIALOG, "ページ情報"))
    if window is None:
        return

    update = one(findings, "button ' 更  新 '", all_with(window, pyatspi.ROLE_PUSH_BUTTON, " 更  新 "))
    if update is not None:
        findings.expect("button ' 更  新 ': description", update.description, "Ctrl キーを押しながらクリックで強制更新")
    one(findings, "button 閉じる", all_with(window, pyatspi.ROLE_PUSH_BUTTON, "閉じる"))

    panel = one(findings, "panel 表示フィルター", all_with(window, pyatspi.ROLE_PANEL, "表示フィルター"))
    if panel is not None:
        one(findings, "button Clear", all_with(panel, pyatspi.ROLE_PUSH_BUTTON, "Clear"))
        for group_name, checks in FILTER_CHECKS.items():
            group = panel if group_name == "表示フィルター" else one(
                findings, f"group {group_name}", children_with(panel, pyatspi.ROLE_PANEL, group_name))
            if group is not None:
                read = [c.name for c in children_with(group, pyatspi.ROLE_CHECK_BOX)]
                findings.expect(f"group {group_name}: check boxes", read, checks)
        texts = all_with(panel, pyatspi.ROLE_TEXT)
        findings.expect("filter text boxes", sorted(t.name for t in texts), sorted(FILTER_TEXTS))
        for box in texts:
            description, shown = FILTER_TEXTS.get(box.name, (None, None))
            findings.expect(f"text box {box.name}: description", box.description, description)
            findings.expect(f"text box {box.name}: text", text_of(box), shown)
        # It shows the time the search took, and must be read as that time.
        time_label = one(findings, "label アイテム抽出時間",
                         [d for d in all_with(panel, pyatspi.ROLE_LABEL) if d.description == "アイテム抽出時間"])
        if time_label is not None and not re.fullmatch(r"\d+\.\d\d", time_label.name):
            findings.failures.append(f"label アイテム抽出時間: read {time_label.name!r}, expected the time shown")
        check_count_boxes(findings, panel)

    status_bars = children_with(window, pyatspi.ROLE_STATUS_BAR)
    if findings.require("inspector status bar", status_bars):
        findings.require("status Ready", children_with(status_bars[0], pyatspi.ROLE_LABEL, "Ready"))

    grid = one(findings, "inspector grid", all_with(window, pyatspi.ROLE_TABLE))
    if grid is not None:
        findings.expect("inspector grid: name", grid.name, "アイテム一覧")
        check_table(findings, "inspector grid", grid, INSPECTOR_HEADERS, INSPECTOR_ROWS)
        check_inspector_cells(findings, host, grid)


def check_main_window(findings, app):
    window = one(findings, "window Vorlane", children_with(app, pyatspi.ROLE_FRAME, "Vorlane"))
    if window is None:
        return
    toolbar = one(findings, "tool bar", children_with(window, pyatspi.ROLE_TOOL_BAR))
    if toolbar is not None:
        buttons = children_with(toolbar, pyatspi.ROLE_PUSH_BUTTON)
        findings.expect("tool bar buttons", [(b.name, b.description) for b in buttons],
                        [("ﾌﾟﾛﾊﾟﾃｨ", "ﾌﾟﾛﾊﾟﾃｨ"), ("ﾍﾙﾌﾟ", "ﾍﾙﾌﾟ")])
    grid = one(findings, "browser list", all_with(window, pyatspi.ROLE_TABLE))
    if grid is not None:
        findings.expect("browser list: name", grid.name, "ﾌﾞﾗｳｻﾞ一覧")
        # Title, handle and type are the double's to choose.
        check_table(findings, "browser list", grid, MAIN_HEADERS, [["1", "詳細", "完了", "http://a.test/", None, None, None]])
        check_detail_button(findings, app, grid)


def inspectors(app):
    return children_with(app, pyatspi.ROLE_DIALOG, "ページ情報")


def check_detail_button(findings, app, grid):
    button = grid.queryTable().getAccessibleAt(0, MAIN_DETAIL_COLUMN)
    if not findings.expect("browser list: actions of the 詳細 cell", actions_of(button),
                           [("Press", "この行のﾌﾞﾗｳｻﾞのページ情報を開きます")]):
        return
    before = inspectors(app)
    press(button)
    if not findings.require("an inspector opened by the 詳細 action", eventually(lambda: len(inspectors(app)) > len(before))):
        return
    opened = [d for d in inspectors(app) if d not in before]
    close = all_with(opened[0], pyatspi.ROLE_PUSH_BUTTON, "閉じる")
    if findings.require("its button 閉じる", close):
        press(close[0])
        findings.require("the opened inspector closed", eventually(lambda: len(inspectors(app)) == len(before)))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    pyatspi.setTimeout(CALL_TIMEOUT_MS, CALL_TIMEOUT_MS)
    with tempfile.TemporaryDirectory(prefix="vorlane-config.") as config_dir:
        host = Host(sys.argv[1], config_dir)
        try:
            app = find_application()
            findings = Findings()
            check_inspector(findings, host, app)
            # Last: its button opens a second inspector.
            check_main_window(findings, app)
        finally:
            host.end()
    for failure in findings.failures:
        print("FAIL", failure)
    if findings.failures:
        sys.exit(1)
    print("the browser list and the page inspector read as expected")


if __name__ == "__main__":
    main()
