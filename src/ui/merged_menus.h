#pragma once

class QMenu;

// A record window's own menus. While a window that implements this is the active record
// window, its File menu takes the place of the main window's and its Record and Analysis
// menus stand between "Communication" and "Others". A null menu is left out.
class MergedMenus
{
public:
    virtual ~MergedMenus() = default;
    virtual QMenu* fileMenu() const = 0;
    virtual QMenu* recordMenu() const = 0;
    virtual QMenu* analysisMenu() const = 0;
};
