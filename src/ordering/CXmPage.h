#pragma once

#include "CategorySettings.h"
#include "DishSettings.h"
#include "Gate.h"

#include <QWidget>

class CPrintListReportCtrl;
class DefaultPrinter;
class QLineEdit;
class QPushButton;
class Spooler;

// 消费项目设置: the categories with their kitchen printers and the dishes, each list with 添加,
// 删除 and 修改; the dish list follows the chosen category, the search box or 显示全部, prints
// and exports, and can be renumbered. Category commands pass `mayEditCategories` first, dish
// commands `mayEditDishes`.
class CXmPage final : public QWidget
{
    Q_OBJECT
public:
    CXmPage(Database& db, Prompt& prompt, Spooler& spooler, DefaultPrinter& defaultPrinter,
            const QString& operatorName, Gate mayEditCategories, Gate mayEditDishes,
            QWidget* parent = nullptr);

    CPrintListReportCtrl* categoryList() const { return m_categoryList; }
    CPrintListReportCtrl* dishList() const { return m_dishList; }
    QLineEdit* searchBox() const { return m_search; }
    // The page's buttons by their text ("添加" and the others come twice: categories first).
    QPushButton* categoryButton(const QString& text) const;
    QPushButton* dishButton(const QString& text) const;

    void addCategory();
    void changeCategory();
    void removeCategory();
    void addDish();
    void changeDish();
    void removeDish();
    void showAll();
    void renumber();
    void print();
    void exportList();

private:
    QString selectedCategory() const;
    QString selectedDish() const;
    void loadCategories(const QString& select = QString());
    void categoryChosen();
    void search(const QString& text);
    // Shows these dishes; the list stays in its present mode (category, search or all).
    void showDishes(const QList<QStringList>& rows);
    void reloadDishes();
    bool prepareReport();

    Database& m_db;
    Prompt& m_prompt;
    Spooler& m_spooler;
    DefaultPrinter& m_defaultPrinter;
    QString m_operatorName;
    Gate m_mayEditCategories;
    Gate m_mayEditDishes;
    CategorySettings m_categories;
    DishSettings m_dishes;
    CPrintListReportCtrl* m_categoryList;
    CPrintListReportCtrl* m_dishList;
    QLineEdit* m_search;
    QWidget* m_categoryButtons;
    QWidget* m_dishButtons;
    enum class Mode
    {
        All,
        Category,
        Search
    } m_mode = Mode::All;
};
