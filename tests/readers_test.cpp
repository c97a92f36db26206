// The three section readers, each on a small document.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gbk_literal.h"
#include "traverse/check_info.h"
#include "traverse/exceptions.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

XmlDocument Parse(const std::string& utf8Xml) {
    XmlDocument document = XmlDocument::Create();
    EXPECT_TRUE(document.loadXML(utf8Xml)) << document.parseError().reason;
    return document;
}

// ---- tolerance section -------------------------------------------------------------------

TEST(GetCheckFlag, LooksNamesUpExactly) {
    EXPECT_EQ(GetCheckFlag(GBK("一测回2C较差")), 1001);
    EXPECT_EQ(GetCheckFlag(GBK("半测回归零差")), 1002);
    EXPECT_EQ(GetCheckFlag(GBK("同一方向值各测回较差")), 1003);
    EXPECT_EQ(GetCheckFlag(GBK("垂直角测回差")), 2001);
    EXPECT_EQ(GetCheckFlag(GBK("指标差")), 2002);
    EXPECT_EQ(GetCheckFlag(GBK("指标差较差")), 2003);
    EXPECT_EQ(GetCheckFlag(GBK("一测回读数较差")), 3001);
    EXPECT_EQ(GetCheckFlag(GBK("单程测回间较差")), 3002);
    EXPECT_EQ(GetCheckFlag(GBK("一测回2c较差")), 0);
    EXPECT_EQ(GetCheckFlag(GBK(" 指标差")), 0);
    EXPECT_EQ(GetCheckFlag(""), 0);
}

const char* const kSetupPath = "导线观测记录//检查限差";

TEST(ReadSetup, StoresItemsOfEachGroupWhateverTheAttributeIsCalled) {
    CImportXml importer;
    XmlDocument document = Parse(R"(<导线观测记录><检查限差>
        <水平角><一测回2C较差 限差="13"/><半测回归零差 v="8秒"/><半测回归零差 x="abc"/>
                <一测回读数较差 a="-2"/></水平角>
        <距离><单程测回间较差 限="  7.5e0x"/></距离>
      </检查限差></导线观测记录>)");
    EXPECT_EQ(importer.ReadSetup(document, GBK(kSetupPath)), 0u);
    ASSERT_EQ(importer.m_arrHAngleCheck.size(), 4u);
    EXPECT_EQ(importer.m_arrHAngleCheck[0].m_nFlag, 1001);
    EXPECT_EQ(importer.m_arrHAngleCheck[0].m_dLimit, 13.0);
    EXPECT_EQ(importer.m_arrHAngleCheck[1].m_dLimit, 8.0);
    EXPECT_EQ(importer.m_arrHAngleCheck[2].m_dLimit, 0.0);
    EXPECT_EQ(importer.m_arrHAngleCheck[3].m_nFlag, 3001);
    EXPECT_EQ(importer.m_arrHAngleCheck[3].m_dLimit, -2.0);
    EXPECT_TRUE(importer.m_arrVAngleCheck.empty());
    ASSERT_EQ(importer.m_arrDistCheck.size(), 1u);
    EXPECT_EQ(importer.m_arrDistCheck[0].m_dLimit, 7.5);
    EXPECT_EQ(importer.m_strText, "");
}

TEST(ReadSetup, ReadsOnlyTheFirstSubsectionAndAcceptsAMissingSection) {
    CImportXml importer;
    XmlDocument document = Parse(R"(<导线观测记录><检查限差>
        <水平角><指标差 a="1"/></水平角><水平角><指标差 a="2"/></水平角>
      </检查限差></导线观测记录>)");
    EXPECT_EQ(importer.ReadSetup(document, GBK(kSetupPath)), 0u);
    ASSERT_EQ(importer.m_arrHAngleCheck.size(), 1u);
    EXPECT_EQ(importer.m_arrHAngleCheck[0].m_dLimit, 1.0);

    CImportXml other;
    EXPECT_EQ(other.ReadSetup(Parse("<导线观测记录/>"), GBK(kSetupPath)), 0u);
    EXPECT_TRUE(other.m_arrHAngleCheck.empty());
}

TEST(ReadSetup, AttributeCountFaultDropsTheWholeSubsection) {
    CImportXml importer;
    XmlDocument document = Parse(R"(<导线观测记录><检查限差>
        <水平角><一测回2C较差 a="1"/><半测回归零差 a="1" b="2"/><指标差/><指标差 a="3"/></水平角>
        <垂直角><指标差 a="1"/></垂直角>
      </检查限差></导线观测记录>)");
    EXPECT_EQ(importer.ReadSetup(document, GBK(kSetupPath)), RESULT_FAILED);
    // One line per faulty item, the path and the name joined without a separator.
    EXPECT_EQ(importer.m_strText,
              GBK("导线观测记录//检查限差//水平角半测回归零差属性项目错误！\r\n"
                  "导线观测记录//检查限差//水平角指标差属性项目错误！"));
    EXPECT_TRUE(importer.m_arrHAngleCheck.empty());
    EXPECT_TRUE(importer.m_arrVAngleCheck.empty());
}

TEST(ReadSetup, UnknownNameKeepsTheItemsBeforeIt) {
    CImportXml importer;
    XmlDocument document = Parse(R"(<导线观测记录><检查限差>
        <水平角><一测回2C较差 a="13"/></水平角>
        <垂直角><指标差 a="1"/><指标差较差 a="2"/><未知 a="3"/><指标差 a="4"/></垂直角>
        <距离><一测回读数较差 a="5"/></距离>
      </检查限差></导线观测记录>)");
    EXPECT_EQ(importer.ReadSetup(document, GBK(kSetupPath)), RESULT_FAILED);
    EXPECT_EQ(importer.m_strText, GBK("导线观测记录//检查限差//垂直角//未知键名错误！"));
    EXPECT_EQ(importer.m_arrHAngleCheck.size(), 1u);
    EXPECT_EQ(importer.m_arrVAngleCheck.size(), 2u);
    EXPECT_TRUE(importer.m_arrDistCheck.empty());
}

TEST(ReadSetupEx, StringPairFormEmptiesItsOutputsFirst) {
    CImportXml importer;
    std::vector<std::string> names{"old"};
    std::vector<std::string> values{"old"};
    XmlDocument document = Parse(R"(<r><s><a v=" 1 "/><b w="&amp;x"/></s></r>)");
    EXPECT_EQ(importer.ReadSetupEx(document, "r//s", names, values), 0u);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(values, (std::vector<std::string>{" 1 ", "&x"}));
}

TEST(ReadSetup, TextAmongItemsRaisesEmptyHandleErrorSayingWhere) {
    CImportXml importer;
    XmlDocument document = Parse(R"(<导线观测记录><检查限差><水平角>
        <一测回2C较差 a="13"/>  限差 9 </水平角></检查限差></导线观测记录>)");
    try {
        importer.ReadSetup(document, GBK(kSetupPath));
        FAIL() << "no error raised";
    } catch (const _com_error& e) {
        EXPECT_EQ(e.Error(), E_POINTER);
        EXPECT_EQ(e.Description(),
                  GBK("line 2, column 28: text \"限差 9\" where a record element was expected"));
    }
}

// ---- known points ------------------------------------------------------------------------

const char* const kPointPath = "导线观测记录//起算点";

TEST(ReadPoint, ReadsPlaneAndHeightOnlyPoints) {
    CImportXml importer;
    std::vector<CPoint3D> points;
    XmlDocument document = Parse(R"(<导线观测记录><起算点>
        <K1 x="3500.125" y="480.2"/><K2 h="56.3"/><K3 X="1" Y="2" H="3" note="n"/>
        <K4 X="1" x="2" y=""/><K1 x="9" y="9" h="9"/>
      </起算点></导线观测记录>)");
    EXPECT_EQ(importer.ReadPoint(document, GBK(kPointPath), points), 0u);
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(points[0].m_strName, "K1");
    EXPECT_EQ(points[0].m_dX, 3500.125);
    EXPECT_EQ(points[0].m_dY, 480.2);
    EXPECT_EQ(points[0].m_dZ, UNSET_COORD);
    EXPECT_EQ(points[1].m_dX, UNSET_COORD);
    EXPECT_EQ(points[1].m_dZ, 56.3);
    EXPECT_EQ(points[2].m_dZ, 3.0);
    EXPECT_EQ(points[3].m_dX, 2.0);
    EXPECT_EQ(points[3].m_dY, 0.0);
    EXPECT_EQ(points[4].m_dX, 9.0);
    EXPECT_EQ(points[0].m_pUserData, nullptr);
}

TEST(ReadPoint, RejectsTheFirstIncompletePointOnly) {
    struct Case {
        const char* point;
        const char* message;
    };
    const Case cases[] = {
        {R"(<P y="1"/>)", "导线观测记录//起算点//P缺x项"},
        {R"(<P x="1" h="2"/>)", "导线观测记录//起算点//P缺y项"},
        {R"(<P z="1"/>)", "导线观测记录//起算点//P没有合法数据项!"},
        {R"(<P/>)", "导线观测记录//起算点//P没有合法数据项!"},
        {R"(<P x="-9999999.99" y="1"/>)", "导线观测记录//起算点//P缺x项"},
    };
    for (const Case& c : cases) {
        CImportXml importer;
        std::vector<CPoint3D> points;
        XmlDocument document = Parse(std::string("<导线观测记录><起算点><A x=\"1\" y=\"2\"/>") +
                                     c.point + "<B h=\"1\"/><C y=\"1\"/></起算点></导线观测记录>");
        EXPECT_EQ(importer.ReadPoint(document, GBK(kPointPath), points), RESULT_FAILED) << c.point;
        EXPECT_EQ(importer.m_strText, Utf8ToGbk(c.message)) << c.point;
        ASSERT_EQ(points.size(), 1u) << c.point;
        EXPECT_EQ(points[0].m_strName, "A");
    }
}

TEST(ReadPoint, ReadsOnlyTheFirstSection) {
    CImportXml importer;
    std::vector<CPoint3D> points;
    XmlDocument document = Parse(R"(<导线观测记录><a><起算点/></a><起算点><K x="1" y="1"/></起算点></导线观测记录>)");
    EXPECT_EQ(importer.ReadPoint(document, GBK(kPointPath), points), 0u);
    EXPECT_TRUE(points.empty());
}

// ---- observations ------------------------------------------------------------------------

TEST(ReadObserve, ReadsParametersRoundsRecordsAndHeights) {
    CImportXml importer;
    XmlDocument document = Parse(R"(<导线观测记录><观测值>
      <站 点名="S1" 仪器高="1.55" 气压="1012.5" 温度="18.5" 加常数=" 2" 乘常数="3" 其它="x">
        <水平角>
          <r><K1 盘左="0.0000" 盘右="180.0010"/><P2 盘右="270.3000" 盘左="90.3000"/></r>
          <r/>
        </水平角>
        <水平角><r><X 盘左="1" 盘右="2"/></r></水平角>
        <天顶距><r><K1 盘左="88.0000" 盘右="272.0010"/></r></天顶距>
        <斜距><r><K1 值="12.345 12.347"/><P2 值="  7  8 " 盘左="9"/><Q3 值="５ 6 x"/></r></斜距>
        <目标高><K1 值="1.6"/><P2/></目标高>
      </站>
      <站 仪器高="abc"/>
    </观测值></导线观测记录>)");
    EXPECT_EQ(importer.ReadObserve(document, GBK("导线观测记录//观测值"), importer.m_arrStation), 0u);
    ASSERT_EQ(importer.m_arrStation.size(), 2u);
    const CPoint3D& s1 = *importer.m_arrStation[0];
    EXPECT_EQ(s1.m_strName, "S1");
    const TAGStationObserve& block = *StationBlock(s1);
    EXPECT_EQ(block.m_info.m_fInstrumentHeight, 1.55f);
    EXPECT_EQ(block.m_info.m_fPressure, 1012.5f);
    EXPECT_EQ(block.m_info.m_fTemperature, 18.5f);
    EXPECT_EQ(block.m_info.m_fAddConst, 2.0f);
    EXPECT_EQ(block.m_info.m_fMulConst, 3.0f);
    ASSERT_EQ(block.m_arrHAngle.size(), 2u);
    EXPECT_TRUE(block.m_arrHAngle[1].m_arrObserve.empty());
    // Faces by name: the face-right reading written first still lands at [1].
    EXPECT_EQ(block.m_arrHAngle[0].m_arrObserve[1].m_strName, "P2");
    EXPECT_EQ(block.m_arrHAngle[0].m_arrObserve[1].m_arrValue, (std::vector<double>{90.3, 270.3}));
    EXPECT_EQ(block.m_arrZenith[0].m_arrObserve[0].m_arrValue,
              (std::vector<double>{88.0, 272.001}));
    EXPECT_EQ(block.m_arrDistance[0].m_arrObserve[0].m_arrValue,
              (std::vector<double>{12.345, 12.347}));
    EXPECT_EQ(block.m_arrDistance[0].m_arrObserve[1].m_arrValue, (std::vector<double>{7, 8, 9}));
    // Pieces that are no number read as 0 and are listed as written, in GBK.
    EXPECT_EQ(block.m_arrDistance[0].m_arrObserve[2].m_arrValue, (std::vector<double>{0, 6, 0}));
    std::vector<std::string> listed;
    for (const ValueNotNumber& value : importer.m_arrValueNotNumber) {
        if (value.element == "Q3") listed.push_back(value.text);
    }
    EXPECT_EQ(listed, (std::vector<std::string>{GBK("５"), "x"}));
    ASSERT_EQ(block.m_arrTargetHeight.size(), 1u);
    EXPECT_EQ(block.m_arrTargetHeight[0].m_arrObserve.size(), 2u);
    EXPECT_TRUE(block.m_arrTargetHeight[0].m_arrObserve[1].m_arrValue.empty());

    const TAGStationObserve& second = *StationBlock(*importer.m_arrStation[1]);
    EXPECT_EQ(importer.m_arrStation[1]->m_strName, "");
    EXPECT_EQ(second.m_info.m_fInstrumentHeight, 0.0f);
    EXPECT_TRUE(second.m_arrHAngle.empty());
    EXPECT_TRUE(second.m_arrTargetHeight.empty());
}

TEST(ReadObserve, EmptyTargetHeightElementGivesOneEntryWithoutRecords) {
    CImportXml importer;
    XmlDocument document = Parse(R"(<导线观测记录><观测值><站><目标高/></站></观测值></导线观测记录>)");
    importer.ReadObserve(document, GBK("导线观测记录//观测值"), importer.m_arrStation);
    ASSERT_EQ(StationBlock(*importer.m_arrStation[0])->m_arrTargetHeight.size(), 1u);
    EXPECT_TRUE(StationBlock(*importer.m_arrStation[0])->m_arrTargetHeight[0].m_arrObserve.empty());
}

TEST(ReadObserve, FailureKeepsTheStationsReadSoFar) {
    CImportXml importer;
    XmlDocument document = Parse(R"(<导线观测记录><观测值>
      <站 点名="A"><水平角><r><K 盘左="1" 盘右="2"/></r><r><K 盘左="3" 盘右="4"/>x</r></水平角></站>
    </观测值></导线观测记录>)");
    EXPECT_THROW(importer.ReadObserve(document, GBK("导线观测记录//观测值"), importer.m_arrStation),
                 _com_error);
    ASSERT_EQ(importer.m_arrStation.size(), 1u);
    // The round completed before the failure stays; the one under construction is dropped.
    EXPECT_EQ(StationBlock(*importer.m_arrStation[0])->m_arrHAngle.size(), 1u);
}

TEST(ReadObjectValue, AppendsOneRecordPerChild) {
    CImportXml importer;
    XmlDocument document = Parse(R"(<r><A 盘左 ="1" 盘右="2"/><B/></r>)");
    std::vector<CBaseObserve> records(1);
    EXPECT_EQ(importer.ReadObjectValue(document.selectSingleNode("r"), records), 0u);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].m_arrValue, (std::vector<double>{1, 2}));
    EXPECT_TRUE(records[2].m_arrValue.empty());
}

}  // namespace
}  // namespace traverse
