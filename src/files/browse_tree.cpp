// The browse dialog's directory tree: the root of the current directory and
// the directories down to it, each level filled as it is opened; a
// directory with sub-directories not yet read carries one placeholder child
// so that it shows an expand button.
#include <string.h>

#include "files/browse_dialog.h"
#include "files/browse_rules.h"
#include "files/secure_search.h"
#include "krutil_dialogs.h"
#include "support/capped_text.h"
#include "text/case_fold.h"

namespace kr {
namespace {
const char kPlaceholder[] = "____";
enum TreeImage { kDriveImage = 0, kFolderImage = 1, kOpenFolderImage = 2 };

HTREEITEM InsertItem(HWND tree, HTREEITEM parent, const char *text, int image, int selectedImage)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char *>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

bool ItemText(HWND tree, HTREEITEM item, char *out, int cap)
{
    TVITEMA query = {};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = out;
    query.cchTextMax = cap;
    out[0] = '\0';
    return ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)) != 0;
}

// path + name + "\" into out; false when it does not fit.
bool ChildPath(const char *path, const char *name, char *out, size_t cap)
{
    CappedText text(out, cap);
    text.Append(path);
    text.Append(name);
    text.Put('\\');
    return text.Finish() < cap;
}

// The rest of `remaining` after its first component when that is `name`
// (ignoring case), or null.
const char *AfterComponent(const char *remaining, const char *name)
{
    const size_t length = strlen(name);
    if (strnlen(remaining, length) < length || !EqualIgnoringCase(remaining, name, length))
        return nullptr;
    if (remaining[length] == '\\')
        return remaining + length + 1;
    return remaining[length] == '\0' ? remaining + length : nullptr;
}

bool HasSubdirectory(const char *path, const char *extension)
{
    char pattern[MAX_PATH];
    if (!ChildPath(path, "*.*", pattern, sizeof pattern))
        return false;
    pattern[strlen(pattern) - 1] = '\0'; // no backslash after the pattern
    bool found = false;
    ForEachEntry(pattern, [&](const WIN32_FIND_DATAA &entry) {
        found = IsDirectory(entry) && CountsForExpandButton(entry.cFileName, extension);
        return !found;
    });
    return found;
}
} // namespace

void BrowseDialog::InsertChildren(HTREEITEM item, const char *path, const char *remaining, bool expand)
{
    char pattern[MAX_PATH];
    CappedText text(pattern, sizeof pattern);
    text.Append(path);
    text.Append("*.*");
    if (text.Finish() < sizeof pattern) {
        ForEachEntry(pattern, [&](const WIN32_FIND_DATAA &entry) {
            char childPath[MAX_PATH];
            if (!IsDirectory(entry) || HiddenFromTree(entry.cFileName, extension_) ||
                !ChildPath(path, entry.cFileName, childPath, sizeof childPath))
                return true;
            HTREEITEM child = InsertItem(tree_, item, entry.cFileName, kFolderImage, kOpenFolderImage);
            const char *rest = remaining ? AfterComponent(remaining, entry.cFileName) : nullptr;
            if (rest) {
                selectedItem_ = child;
                InsertChildren(child, childPath, rest, expand);
            } else if (HasSubdirectory(childPath, extension_)) {
                InsertItem(tree_, child, kPlaceholder, kFolderImage, kOpenFolderImage);
            }
            return true;
        });
    }
    if (expand)
        ::SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

void BrowseDialog::BuildTree()
{
    busy_ = true;
    selectedItem_ = nullptr;
    ::SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));

    const size_t rootLength = RootLength(directory_);
    char root[MAX_PATH];
    CopySpan({directory_, rootLength}, root, sizeof root);
    const char *rest = directory_ + rootLength;
    if (*rest == '\\')
        ++rest;
    SelectDriveOfRoot(root);

    char rootPath[MAX_PATH];
    ChildPath("", root, rootPath, sizeof rootPath);
    HTREEITEM rootItem = InsertItem(tree_, TVI_ROOT, rootPath, kDriveImage, kDriveImage);
    selectedItem_ = rootItem; // the current directory when it is the root itself
    InsertChildren(rootItem, rootPath, rest, true);

    if (selectedItem_) {
        ::SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selectedItem_));
        ::SendMessageA(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(selectedItem_));
    }
    busy_ = false;
}

void BrowseDialog::ExpandPlaceholder(HTREEITEM item)
{
    HTREEITEM first = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    char text[sizeof kPlaceholder];
    if (!first || !ItemText(tree_, first, text, sizeof text) || strcmp(text, kPlaceholder) != 0)
        return;
    ::SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(first));
    char path[MAX_PATH];
    if (PathOfItem(item, path, sizeof path))
        InsertChildren(item, path, nullptr, false);
}

bool BrowseDialog::PathOfItem(HTREEITEM item, char *out, size_t cap) const
{
    // The item and its ancestors, from the item up; the root's text already
    // ends in a backslash.
    HTREEITEM chain[MAX_PATH / 2];
    size_t depth = 0;
    for (HTREEITEM at = item; at && depth < sizeof chain / sizeof chain[0];
         at = reinterpret_cast<HTREEITEM>(
             ::SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(at))))
        chain[depth++] = at;
    CappedText text(out, cap);
    for (size_t i = depth; i-- > 0;) {
        char name[MAX_PATH];
        ItemText(tree_, chain[i], name, sizeof name);
        text.Append(name);
        const size_t length = strlen(name);
        if (length == 0 || name[length - 1] != '\\')
            text.Put('\\');
    }
    return text.Finish() < cap;
}

void BrowseDialog::SelectDriveOfRoot(const char *root)
{
    if (!SameIgnoringCase(root, drive_))
        return;
    if (strchr(root, ':')) {
        drives_.SelectString(-1, root);
        return;
    }
    for (int i = 0; i < drives_.GetCount(); ++i) {
        char entry[MAX_PATH];
        if (drives_.GetLBText(i, entry, sizeof entry) != CB_ERR && strstr(entry, root)) {
            drives_.SetCurSel(i);
            return;
        }
    }
}

} // namespace kr
