#include "CHuiYuan.h"
#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "MemberDialog.h"
#include "MemberSearch.h"
#include "ModalDialogs.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using Input = MemberLevelSettings::Input;
Q_DECLARE_METATYPE(MemberLevelSettings::Input)

namespace {

// Levels 金卡 0.8, 银卡 0.95 and 普通 1 (held by nobody); members 张三 (1, with a bill), 1号客 (2),
// 李四 (3), 王五 (4, no birthday), and 赵六 without a level (so in no list).
struct Members
{
    Members()
    {
        t.exec(u"insert into hydj (djmc, zq) values ('金卡', 0.8), ('银卡', 0.95), ('普通', 1)"_s);
        t.exec(u"insert into hy (xm, xmpy, xb, sr, phone, hydj, kh, bz, xfze) values ('张三', 'ZS', '男', "
               "'1980-05-01', '1391', 1, 'K100', '', 1234.5), ('1号客', '1HK', '女', '1990-01-02', '', 2, "
               "'K200', "
               "'', 0), ('李四', 'LS', '男', null, '', 2, '2100', '', 0), ('王五', 'WW', '', null, '', 1, "
               "'', '', "
               "0), ('赵六', 'ZL', '', null, '', null, 'Z', '', 0)"_s);
        t.exec(u"insert into jzhz (zdh, czm, hybh) values ('202612060001', 'A1', 1)"_s);
    }
    QString column(int column, const QString& search = {})
    {
        QStringList out;
        for (const QStringList& row : members.rows(search))
            out << row.at(column);
        return out.join(u' ');
    }

    TestDatabase t;
    MemberSettings members{t.db, t.prompt};
    MemberLevelSettings levels{t.db, t.prompt};
};

} // namespace

class tst_Members : public QObject
{
    Q_OBJECT
private slots:
    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("page");     // numbers found by the members page and query dialog
        QTest::addColumn<QString>("checkout"); // by the checkout's member search
        // clang-format off
        QTest::newRow("name, number or card beginning with 1") << "1" << "1 2" << "1 2";
        QTest::newRow("initials")           << "L" << "3" << "3";
        QTest::newRow("only the beginning") << "S" << "" << "";
        QTest::newRow("a quote")            << "'" << "" << "";
        QTest::newRow("blanks and quotes leave the checkout's search") << " Z'S " << "" << "1";
        QTest::newRow("empty")              << "" << "1 2 3 4" << "";
        // clang-format on
    }

    void search()
    {
        QFETCH(QString, text);
        Members m;
        QTEST(m.column(MemberSettings::Number, text), "page");
        QStringList found;
        for (const MemberSearch::Member& member : MemberSearch(m.t.db).search(text))
            found << member.number;
        QTEST(found.join(u' '), "checkout");
        QVERIFY(m.t.prompt.texts().isEmpty());
    }

    void membersAndTheirRules()
    {
        Members m;
        QCOMPARE(m.members.rows().first().join(u'|'),
                 u"1|张三|ZS|男|1980-05-01|1234.50|1391|金卡|0.80|K100|"_s);
        MemberSettings::Member member{u"赵'七"_s, u"ZQ"_s, u"女"_s, QDate(2000, 2, 29),
                                      u"1380"_s,  2,       u"K9"_s, u"备注"_s};
        QVERIFY(m.members.add(member));
        QCOMPARE(m.members.rows().last().join(u'|'),
                 u"6|赵'七|ZQ|女|2000-02-29|0.00|1380|银卡|0.95|K9|备注"_s);
        QVERIFY(!m.members.add({}));
        member.level = 0;
        QVERIFY(!m.members.change(2, member));
        // A member with a bill stays; so does a level a member holds.
        m.t.prompt.fallback = Prompt::Answer::Yes;
        QVERIFY(!m.members.remove(0) && !m.members.remove(1) && m.members.remove(2));
        QVERIFY(!m.levels.remove(1) && m.levels.remove(3));
        QCOMPARE(
            m.t.prompt.texts(),
            (QStringList{"会员姓名不能为空!", "会员等级不能为空!", "请选定要删除的会员!",
                         "是否真的要删除此会员!", "此会员已经产生消费，不能删除!", "是否真的要删除此会员!",
                         "删除成功，已经使用的等级不会被删除!", "删除成功，已经使用的等级不会被删除!"}));
        QCOMPARE(m.column(MemberSettings::Name), u"张三 李四 王五 赵'七"_s);
    }

    void levels_data()
    {
        QTest::addColumn<int>("id"); // 0 adds
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ratio");
        QTest::addColumn<Input>("refused"); // None: "更新成功!" and the levels as stored after
        QTest::addColumn<QString>("levels");
        const QString kept = u"金卡0.80 银卡0.95 普通1.00"_s;
        // clang-format off
        QTest::newRow("no name")          << 0 << "" << "0.9" << Input::Name << kept;
        QTest::newRow("zero")             << 0 << "钻石" << "0" << Input::Ratio << kept;
        QTest::newRow("rounds to zero")   << 0 << "钻石" << "0.004" << Input::Ratio << kept;
        QTest::newRow("a hundredth over") << 2 << "银卡" << "1.01" << Input::Ratio << kept;
        // Typed ratios are numbers or refused: "1,5" is not 1, "0.9折" not 0.9.
        QTest::newRow("decimal comma")    << 0 << "钻石" << "1,5" << Input::Ratio << kept;
        QTest::newRow("trailing text")    << 2 << "银卡" << "0.9折" << Input::Ratio << kept;
        QTest::newRow("one")              << 0 << "钻'石" << "1" << Input::None << kept + u" 钻'石1.00"_s;
        QTest::newRow("two decimals")     << 2 << "白银" << "0.875" << Input::None << "金卡0.80 白银0.88 普通1.00";
        // clang-format on
    }

    void levels()
    {
        QFETCH(int, id);
        QFETCH(QString, name);
        QFETCH(QString, ratio);
        QFETCH(Input, refused);
        Members m;
        QCOMPARE((id ? m.levels.change(id, name, ratio) : m.levels.add(name, ratio)).input, refused);
        QCOMPARE(m.t.prompt.last(), refused == Input::Name    ? u"名称不能为空!"_s
                                    : refused == Input::Ratio ? u"折扣非法,大于0并且小于等于1!"_s
                                                              : u"更新成功!"_s);
        QStringList levels;
        for (const QStringList& row : m.levels.rows())
            levels << row.at(MemberLevelSettings::Name) + row.at(MemberLevelSettings::Ratio);
        QTEST(levels.join(u' '), "levels");
    }

    void pageAndDialogs()
    {
        Members m;
        DefaultPrinter printer;
        int checks = 0;
        bool allowed = false, opened = false;
        CHuiYuan page(m.t.db, m.t.prompt, printer, u"张三"_s, [&] { return ++checks, allowed; });
        QCOMPARE(page.windowTitle(), u"会员管理"_s);
        // Every change passes the members right first.
        for (const QString& text : {u"增加"_s, u"修改"_s, u"删除"_s})
            for (QPushButton* button : {page.memberButton(text), page.levelButton(text)}) {
                QTimer::singleShot(0, [&opened] { opened = opened || QApplication::activeModalWidget(); });
                QTest::mouseClick(button, Qt::LeftButton);
                QCoreApplication::processEvents();
            }
        QVERIFY(checks == 6 && !opened && m.t.prompt.texts().isEmpty());

        allowed = true;
        // Changed without a birthday, 王五 keeps none; a member added gets the initials of his name,
        // and the date chosen.
        page.memberList()->selectRow(3);
        whenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
        QTest::mouseClick(page.memberButton(u"修改"_s), Qt::LeftButton);
        whenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<MemberDialog*>(modal);
            QCOMPARE(dialog->windowTitle(), u"增加会员"_s);
            typeIn(dialog->nameEdit(), u"王小明"_s);
            QTest::keyClick(dialog->nameEdit(), Qt::Key_Tab);
            QCOMPARE(dialog->initialsEdit()->text() + dialog->levelBox()->currentText(), u"WXM金卡  0.80"_s);
            QVERIFY(!dialog->birthdayKnown()->isChecked() && !dialog->birthdayEdit()->isEnabled());
            QTest::mouseClick(dialog->birthdayKnown(), Qt::LeftButton);
            dialog->birthdayEdit()->setDate(QDate(1990, 3, 4));
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QTest::mouseClick(page.memberButton(u"增加"_s), Qt::LeftButton);
        QCOMPARE(m.t.scalar(u"select group_concat(xm||ifnull(sr,'-')) from hy where xm like '王%'"_s),
                 u"王五-,王小明1990-03-04"_s);
        QTest::keyClicks(page.searchBox(), u"w"_s);
        QCOMPARE(page.memberList()->rowCount(), 2);
    }
};

PELVAR_TEST(tst_Members)
#include "tst_Members.moc"
