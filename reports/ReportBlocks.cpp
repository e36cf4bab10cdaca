#include <vyr/reports/ReportBlocks.h>

#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/struct/structure.h>

CString StructureTypeName(int type)
{
    static const char* const names[] = {"空间多高层结构", "空间门式结构", "空间异形结构", "平面门式结构",
                                        "平面其他结构"};
    return type >= 0 && type < 5 ? CString(names[type]) : CString();
}

void OutputLevel2Heading(COutput& out, const CString& text)
{
    out << title(2) << title << text << endl << title(0);
}

void OutputTableCaption(COutput& out, const CString& name)
{
    out.SetFlagAdd(OUTPUT_FLAG_EMPHASIS);
    out << endl << "表" << title(3) << title << name << endl << title(0);
    out.SetFlagSub(OUTPUT_FLAG_EMPHASIS);
}

void OutputFigureLine(COutput& out, const CString& name)
{
    out << endl << tab << tab << tab << tab << name << endl;
}

void OutputBanner(COutput& out, const CString& text)
{
    out << endl << text << endl;
}

void OutputWindParameters(COutput& out, const CStruct& st)
{
    static const char* const roughness[] = {"A级", "B级", "C级", "D级"};
    CString line;
    line.Format("地面标高:%.3fm", st.m_fGroundZ);
    out << line << endl;
    line.Format("基本风压 (kN/m2)：%.2f", st.m_fW0);
    out << line << endl;
    out << "地面粗糙程度:";
    if (st.m_nRoughness >= 0 && st.m_nRoughness < 4)
        out << roughness[st.m_nRoughness];
    out << endl;
}

bool OutputCraneTable(COutput& out, CStruct& st, const CTableCaption& caption)
{
    if (st.m_pCraneList->IsEmpty())
        return false;
    caption(out, "工程用吊车表");
    for (const char* head : {"吊车编号", "起重量", "吊车自重", "吊车轮数", "工作制", "最大轮压", "最小轮压"})
        out.CreateTableHead(head, 10, 0);
    static const char* const duty[] = {"轻级", "中级", "重级"};
    int serial = 0;
    for (POSITION pos = st.m_pCraneList->GetHeadPosition(); pos != nullptr;)
    {
        const CCrane* crane = st.m_pCraneList->GetNextT(pos);
        out.SetTableContent(++serial);
        out.SetTableContent(crane->m_dLiftCapacity * 0.1);
        out.SetTableContent(crane->m_dWeight * 0.1);
        out.SetTableContent(crane->m_nWheelNum);
        const int d = crane->m_nDutyClass;
        out.SetTableContent(CString(duty[d >= 0 && d < 3 ? d : 0]));
        out.SetTableContent(crane->m_dMaxWheelLoad);
        out.SetTableContent(crane->m_dMinWheelLoad);
    }
    out.EndTable();
    return true;
}

bool OutputCraneLayoutTable(COutput& out, CStruct& st, const CTableCaption& caption)
{
    if (st.m_pCraneGroupList->IsEmpty())
        return false;
    const bool axes = CVyrProduct::Inst().IsKel3D() != 0;
    caption(out, "吊车布置信息表");
    out.CreateTableHead("编号", 8, 0);
    out.CreateTableHead("开始结点", 20, 0);
    out.CreateTableHead("终止结点", 20, 0);
    if (axes)
    {
        out.CreateTableHead("开始轴号", 8, 0);
        out.CreateTableHead("终止轴号", 8, 0);
    }
    out.CreateTableHead("左悬挑", 8, 0);
    out.CreateTableHead("右悬挑", 8, 0);
    out.CreateTableHead("吊车梁高", 8, 0);
    out.CreateTableHead("布置吊车", 20, 0);
    auto point = [](const CPoint3D& p) {
        CString text;
        text.Format("%.2f/%.2f/%.2f", p.x * 0.01, p.y * 0.01, p.z * 0.01);
        return text;
    };
    int serial = 0;
    for (POSITION pos = st.m_pCraneGroupList->GetHeadPosition(); pos != nullptr;)
    {
        const CCraneGroup* group = st.m_pCraneGroupList->GetNextT(pos);
        out.SetTableContent(++serial);
        out.SetTableContent(point(group->m_ptStart));
        out.SetTableContent(point(group->m_ptEnd));
        if (axes)
        {
            out.SetTableContent(group->m_nStartAxis);
            out.SetTableContent(group->m_nEndAxis);
        }
        out.SetTableContent(group->m_fLeftOverhang * 0.01);
        out.SetTableContent(group->m_fRightOverhang * 0.01);
        out.SetTableContent(group->m_fBeamHeight * 0.01);
        out.SetTableContent(group->GetCraneDescription());
    }
    out.EndTable();
    return true;
}

void OutputSeismicBlock(COutput& out, CGlobalData& data)
{
    CStruct& st = *data.Struct();
    const CLoadSeismList& seism = *st.m_pLoadSeismList;
    const int group = seism.m_nGroupSite / 10;
    const int site = seism.m_nGroupSite % 10;
    out << tab << "地震设防烈度：按" << seism.m_nIntensity << "度考虑";
    if (group != 0)
        out << "，地震分组为第" << group << "组" << "，加速度" << seism.GetAcceleration() << "g" << endl << tab;
    static const char* const sites[] = {"I", "II", "III", "IV"};
    out << "场地土类别：";
    if (site >= 0 && site < 4)
        out << sites[site];
    out << "；" << endl << tab;
    out << "重力荷载代表值取：1.0×恒载+" << st.m_fLiveFactor << "×活载" << endl << tab;
    out << "参与组合振型数：" << seism.m_nModeNum << endl << tab;
    out << "考虑结构阻尼：" << seism.m_fDamp << endl << tab;
    out << "考虑周期折减系数：" << seism.m_fPeriodReduce << endl << tab;
    out << "反应谱场地特征周期：" << st.m_fTg << "秒" << endl << tab;
    out << "反应谱地震影响系数最大值" << st.m_fAlphaMax << endl << tab;
    out << "反应谱曲线下降段衰减指数：" << st.m_fGamma << endl << tab;
    out << "反应谱曲线下降段终点时间：" << st.m_fTEnd << "秒" << endl << tab;
    CBasicLCList* cases = data.GetCurBasicLCList();
    out << "考虑水平地震工况个数：" << cases->GetAnalysisHSeismNum() << endl << tab;
    if (seism.m_bAccidental)
        out << "水平地震工况考虑偶然偏心" << endl << tab;
    if (seism.m_bBidirection)
        out << "水平地震工况考虑双向地震" << endl << tab;
    for (int i = 1; i <= (int)cases->GetCount(); ++i)
    {
        const CBasicLoadCase* lc = cases->Get(i);
        if (!lc->IsSeismLoadCase())
            continue;
        CString text;
        lc->GetDescription(&text, 0);
        out << tab << text << endl << tab;
    }
}
