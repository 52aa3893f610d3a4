# Reads the running program's window through AT-SPI, as a screen reader does, and lists every
# control a user operates that has no name to say; any such control fails.
# Usage: accessible_names.py APPLICATION
import sys
import time

import pyatspi

OPERABLE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER,
    pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_LINK, pyatspi.ROLE_PAGE_TAB,
}
# Shown as links or hot spots (labels that act on a click): they must be there by these names.
LINKS = ["Automatic Commands", "Wireless Technologies", "Sound Activation Console",
         "Exit Application", "Help Topics", "Our Campaign"]


def main_window(app):
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        if window is None or window.name != app.name:
            continue
        for j in range(window.childCount):
            child = window.getChildAtIndex(j)
            if child is not None and child.name == "Navigation Menu":
                return window
    return None


def find_main_window(name, timeout):
    # The main window joins the tree when it is shown, after the splash.
    deadline = time.time() + timeout
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                window = main_window(app)
                if window is not None:
                    return window
        time.sleep(0.2)
    return None


def walk(node, path, found):
    role = node.getRole()
    here = path + ["%s:%s#%d" % (node.getRoleName(), node.name, node.getIndexInParent())]
    parent = node.parent
    # The edit field inside a named drop-down list is said with the list's name.
    inside_named_combo = (parent is not None and parent.getRole() == pyatspi.ROLE_COMBO_BOX
                          and parent.name)
    if role in OPERABLE and not node.name.strip() and not inside_named_combo:
        found["unnamed"].append("/".join(here[1:]))
    if role == pyatspi.ROLE_LABEL:
        found["labels"].add(node.name)
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, here, found)


def main():
    window = find_main_window(sys.argv[1], 30)
    if window is None:
        print("FAIL: the main window did not appear on the accessibility bus")
        return 1
    found = {"unnamed": [], "labels": set()}
    walk(window, [], found)
    failed = False
    for path in found["unnamed"]:
        print("FAIL: no name: " + path)
        failed = True
    for link in LINKS:
        if link not in found["labels"]:
            print("FAIL: no link named " + link)
            failed = True
    return 1 if failed else 0


sys.exit(main())
