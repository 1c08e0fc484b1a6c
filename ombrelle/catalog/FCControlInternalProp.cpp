#include "FCControlInternalProp.h"

#include "FCControlFactory.h"
#include "FCDomReading.h"
#include "FormFileHelpers.h"
#include "FormTextHelpers.h"
#include "FormVocabulary.h"
#include "XmlText.h"

#include <cstring>

IMPLEMENT_SERIAL(CFCControlInternalProp, CObject, 1)

namespace {

const char kDefaultScript[] =
    "Sub CheckValid()  \r\n\r\nEnd Sub\r\n\r\nSub GetDisplayText()  \r\n\r\nEnd Sub\r\n\r\nSub GetDisInnerContent() "
    "\r\n\r\nEnd Sub";

const char kDefaultFace[] = "宋体";
const BYTE kCharSetGb2312 = 134;

// Every line end read (the parser hands CR LF over as LF) becomes CR LF
// once, so that blank lines come back as they were written.
CString WithCrLfLineEnds(const CString& strText)
{
    CString strResult;
    const int nLength = strText.GetLength();
    for (int i = 0; i < nLength; ++i) {
        const char ch = strText[i];
        if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < nLength && strText[i + 1] == '\n')
                ++i;
            strResult += "\r\n";
        } else {
            strResult += ch;
        }
    }
    return strResult;
}

int NumberOf(IXMLDOMNode* pParent, LPCTSTR lpszName, int nDefault)
{
    CString strText;
    if (!FCReadChildText(pParent, lpszName, strText))
        return nDefault;
    int nValue = 0;
    return ParseNumberText(strText, nValue) ? nValue : 0;
}

BOOL FlagOf(IXMLDOMNode* pParent, LPCTSTR lpszName, BOOL bDefault)
{
    CString strText;
    if (!FCReadChildText(pParent, lpszName, strText))
        return bDefault;
    return IsYesText(strText);
}

CString TextOf(IXMLDOMNode* pParent, LPCTSTR lpszName, LPCTSTR lpszDefault)
{
    CString strText;
    return FCReadChildText(pParent, lpszName, strText) ? strText : CString(lpszDefault);
}

void SetFaceName(LOGFONT& font, const CString& strFace)
{
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::strncpy(font.lfFaceName, strFace, sizeof font.lfFaceName - 1);
}

CString FontToXml(const LOGFONT& font, int nLevel)
{
    CString strXml = XmlIndent(nLevel) + "<" + PropFontInternal + ">\r\n";
    const struct {
        const char* name;
        int value;
    } members[] = {
        {"Height", int(font.lfHeight)},
        {"Width", int(font.lfWidth)},
        {"Escapement", int(font.lfEscapement)},
        {"Orientation", int(font.lfOrientation)},
        {"Weight", int(font.lfWeight)},
        {"Italic", font.lfItalic},
        {"Underline", font.lfUnderline},
        {"StrikeOut", font.lfStrikeOut},
        {"CharSet", font.lfCharSet},
        {"OutPrecision", font.lfOutPrecision},
        {"ClipPrecision", font.lfClipPrecision},
        {"Quality", font.lfQuality},
        {"PitchAndFamily", font.lfPitchAndFamily},
    };
    for (const auto& member : members)
        strXml += XmlElementLine(member.name, NumberText(member.value), nLevel + 1);
    strXml += XmlElementLine("FaceName", font.lfFaceName, nLevel + 1);
    strXml += XmlIndent(nLevel) + "</" + PropFontInternal + ">\r\n";
    return strXml;
}

// The character set is always GB2312, whatever the file says.
void FontFromXml(IXMLDOMNode* pFont, LOGFONT& font)
{
    std::memset(&font, 0, sizeof font);
    font.lfHeight = NumberOf(pFont, "Height", 0);
    font.lfWidth = NumberOf(pFont, "Width", 0);
    font.lfEscapement = NumberOf(pFont, "Escapement", 0);
    font.lfOrientation = NumberOf(pFont, "Orientation", 0);
    font.lfWeight = NumberOf(pFont, "Weight", 0);
    font.lfItalic = BYTE(NumberOf(pFont, "Italic", 0));
    font.lfUnderline = BYTE(NumberOf(pFont, "Underline", 0));
    font.lfStrikeOut = BYTE(NumberOf(pFont, "StrikeOut", 0));
    font.lfCharSet = kCharSetGb2312;
    font.lfOutPrecision = BYTE(NumberOf(pFont, "OutPrecision", 0));
    font.lfClipPrecision = BYTE(NumberOf(pFont, "ClipPrecision", 0));
    font.lfQuality = BYTE(NumberOf(pFont, "Quality", 0));
    font.lfPitchAndFamily = BYTE(NumberOf(pFont, "PitchAndFamily", 0));
    SetFaceName(font, TextOf(pFont, "FaceName", kDefaultFace));
}

BOOL HasButtonFaceBackground(int nKind)
{
    return nKind == FCKindLabel || nKind == FCKindRadio || nKind == FCKindCheckBox || nKind == FCKindGroupBox;
}

}  // namespace

LPCTSTR FCKindElementName(int nKind)
{
    static const char* const names[] = {"",         KindLabel, KindButton,    KindRadio,    KindCheckBox, KindComboBox,
                                        KindEdit,   KindMemo,  KindSelectBox, KindListBox,  KindDateControl};
    return nKind >= 0 && nKind <= FCKindDateTime ? names[nKind] : "";
}

CString AlignmentName(int nTextAlign)
{
    if (nTextAlign == 2)
        return AlignRight;
    if (nTextAlign == 6)
        return AlignCenter;
    return AlignLeft;
}

CFCControlInternalProp::CFCControlInternalProp()
    : m_bDesignState(1),
      m_bTabStop(1),
      m_nTabOrder(-1),
      m_nControlId(0),
      m_dwStyle(0),
      m_pFont(NULL),
      m_bShowTip(0),
      m_bShown(1),
      m_bValid(1),
      m_pOwner(NULL),
      m_bAlreadyExists(0),
      m_nKind(0),
      m_clrFore(0),
      m_clrBack(0xFFFFFF),
      m_hBackBrush(NULL),
      m_strVertAlign(AlignTop),
      m_strHorzAlign(AlignLeft),
      m_bChecked(0),
      m_bReadOnly(0),
      m_strScript(kDefaultScript),
      m_clrBrush(0xFFFFFF)
{
    m_rect.left = 0;
    m_rect.top = 0;
    m_rect.right = 10;
    m_rect.bottom = 10;
    std::memset(&m_logFont, 0, sizeof m_logFont);
    m_logFont.lfHeight = -12;
    SetFaceName(m_logFont, kDefaultFace);
    m_arrPropertyFlags.SetSize(PropertyFlagCount);
    for (int i = 0; i < PropertyFlagCount; ++i)
        m_arrPropertyFlags[i] = 1;
    m_hBackBrush = ::CreateSolidBrush(m_clrBack);
}

CFCControlInternalProp::~CFCControlInternalProp()
{
    if (m_hBackBrush != NULL)
        ::DeleteObject(m_hBackBrush);
    delete m_pFont;
}

void CFCControlInternalProp::InitKind(int nKind, DWORD dwStyle)
{
    m_nKind = nKind;
    m_dwStyle = dwStyle;
    static const int cleared[] = {0, 1, 2, 3, 4, 5, 9, 10, 13, 14, 15, 16, 17, 18, 19, 21, 22, 29, 37};
    for (int i : cleared)
        m_arrPropertyFlags[i] = 0;
    switch (nKind) {
    case FCKindLabel:
    case FCKindGroupBox:
        m_arrPropertyFlags[16] = 1;
        m_arrPropertyFlags[35] = 0;
        m_arrPropertyFlags[36] = 0;
        break;
    case FCKindButton:
        m_arrPropertyFlags[16] = 1;
        m_arrPropertyFlags[11] = 0;
        m_arrPropertyFlags[12] = 0;
        break;
    case FCKindRadio:
    case FCKindCheckBox:
        m_arrPropertyFlags[16] = 1;
        m_arrPropertyFlags[14] = 1;
        break;
    case FCKindEdit:
        m_arrPropertyFlags[17] = 1;
        m_arrPropertyFlags[15] = 1;
        break;
    case FCKindMemo:
        m_arrPropertyFlags[18] = 1;
        m_arrPropertyFlags[15] = 1;
        break;
    case FCKindComboBox:
    case FCKindListBox:
        m_arrPropertyFlags[19] = 1;
        break;
    default:
        break;
    }
    if (HasButtonFaceBackground(nKind))
        m_clrBack = ::GetSysColor(COLOR_BTNFACE);
    if (nKind == FCKindLabel || nKind == FCKindGroupBox)
        m_bTabStop = 0;
}

CFont* CFCControlInternalProp::MakeFont()
{
    delete m_pFont;
    m_pFont = new CFont;
    if (!m_pFont->CreateFontIndirect(&m_logFont)) {
        delete m_pFont;
        m_pFont = NULL;
    }
    return m_pFont;
}

HBRUSH CFCControlInternalProp::BackgroundBrush()
{
    if (m_hBackBrush == NULL || m_clrBrush != m_clrBack) {
        if (m_hBackBrush != NULL)
            ::DeleteObject(m_hBackBrush);
        m_hBackBrush = ::CreateSolidBrush(m_clrBack);
        m_clrBrush = m_clrBack;
    }
    return m_hBackBrush;
}

void CFCControlInternalProp::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << int(m_bDesignState) << int(m_bTabStop);
        ar << m_strCaption;
        ar.Write(&m_rect, sizeof m_rect);
        ar << m_nTabOrder << m_nControlId << DWORD(m_clrFore) << DWORD(m_clrBack) << DWORD(m_dwStyle)
           << int(m_bAlreadyExists) << m_nKind << int(m_bShowTip) << int(m_bShown) << int(m_bValid);
        ar << m_strTip;
    } else {
        ar >> m_bDesignState >> m_bTabStop;
        ar >> m_strCaption;
        if (ar.Read(&m_rect, sizeof m_rect) != sizeof m_rect)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        DWORD dwFore = 0, dwBack = 0, dwStyle = 0;
        ar >> m_nTabOrder >> m_nControlId >> dwFore >> dwBack >> dwStyle >> m_bAlreadyExists >> m_nKind >>
            m_bShowTip >> m_bShown >> m_bValid;
        m_clrFore = dwFore;
        m_clrBack = dwBack;
        m_dwStyle = dwStyle;
        ar >> m_strTip;
    }
    LogFontSerialize(ar, m_logFont);
}

CString CFCControlInternalProp::ToXml(int nLevel)
{
    if (m_nKind == FCKindEdit)
        SetStyleBits(ES_AUTOHSCROLL, TRUE);
    const int nInner = nLevel + 1;
    const int nSavedId = m_bAlreadyExists ? m_nControlId : m_nControlId - CFCControlFactory::ControlIdBase;
    CString strXml = XmlIndent(nLevel) + "<" + PropInternal + ">\r\n";
    strXml += XmlElementLine(PropControlKind, NumberText(m_nKind), nInner);
    strXml += XmlElementLine(PropStyle, NumberText(int(m_dwStyle)), nInner);
    strXml += XmlElementLine(PropDesignState, YesNoText(m_bDesignState), nInner);
    strXml += XmlElementLine(PropAlreadyExists, YesNoText(m_bAlreadyExists), nInner);
    strXml += XmlElementLine(PropDatabaseBound, YesNoText(FALSE), nInner);
    strXml += XmlElementLine(PropFieldName, "", nInner);
    strXml += XmlElementLine(PropTableName, "", nInner);
    strXml += XmlElementLine(PropFieldEnumValues, "", nInner);
    strXml += XmlElementLine(PropCaption, m_strCaption, nInner);
    strXml += XmlElementLine(PropItems, m_strItems, nInner);
    strXml += XmlElementLine(PropValidation, m_strScript, nInner);
    strXml += XmlElementLine(PropLeft, NumberText(m_rect.left), nInner);
    strXml += XmlElementLine(PropRight, NumberText(m_rect.right), nInner);
    strXml += XmlElementLine(PropTop, NumberText(m_rect.top), nInner);
    strXml += XmlElementLine(PropBottom, NumberText(m_rect.bottom), nInner);
    strXml += XmlElementLine(PropTabStop, YesNoText(m_bTabStop), nInner);
    strXml += XmlElementLine(PropTabOrder, NumberText(m_nTabOrder), nInner);
    strXml += XmlElementLine(PropControlId, NumberText(nSavedId), nInner);
    strXml += XmlElementLine(PropForeColor, NumberText(int(m_clrFore)), nInner);
    strXml += XmlElementLine(PropBackColor, NumberText(int(m_clrBack)), nInner);
    strXml += XmlElementLine(PropTextVertAlign, m_strVertAlign, nInner);
    strXml += XmlElementLine(PropTextHorzAlign, m_strHorzAlign, nInner);
    strXml += FontToXml(m_logFont, nInner);
    strXml += XmlElementLine(PropVisible, YesNoText(m_bShown), nInner);
    strXml += XmlElementLine(PropEnabled, YesNoText(m_bValid), nInner);
    strXml += XmlElementLine(PropChecked, YesNoText(m_bChecked), nInner);
    strXml += XmlElementLine(PropReadOnly, YesNoText(m_bReadOnly), nInner);
    strXml += XmlElementLine(PropShowTip, YesNoText(m_bShowTip), nInner);
    strXml += XmlElementLine(PropTip, m_strTip, nInner);
    strXml += XmlIndent(nLevel) + "</" + PropInternal + ">\r\n";
    return strXml;
}

void CFCControlInternalProp::FromXml(IXMLDOMNode* pInternal)
{
    m_bDesignState = 1;
    m_strCaption = TextOf(pInternal, PropCaption, "");
    m_strItems = WithCrLfLineEnds(Trimmed(TextOf(pInternal, PropItems, "")));
    m_strScript = WithCrLfLineEnds(Trimmed(TextOf(pInternal, PropValidation, "")));
    m_dwStyle = DWORD(NumberOf(pInternal, PropStyle, 0));
    m_nKind = NumberOf(pInternal, PropControlKind, 0);
    m_bAlreadyExists = FlagOf(pInternal, PropAlreadyExists, FALSE);
    m_rect.left = NumberOf(pInternal, PropLeft, 0);
    m_rect.right = NumberOf(pInternal, PropRight, 0);
    m_rect.top = NumberOf(pInternal, PropTop, 0);
    m_rect.bottom = NumberOf(pInternal, PropBottom, 0);
    m_nTabOrder = NumberOf(pInternal, PropTabOrder, 0);
    m_nControlId = NumberOf(pInternal, PropControlId, 0);
    if (!m_bAlreadyExists)
        m_nControlId += CFCControlFactory::ControlIdBase;
    m_clrFore = COLORREF(NumberOf(pInternal, PropForeColor, 0));
    const int nDefaultBack = HasButtonFaceBackground(m_nKind) ? int(::GetSysColor(COLOR_BTNFACE)) : 0xFFFFFF;
    m_clrBack = COLORREF(NumberOf(pInternal, PropBackColor, nDefaultBack));
    m_strVertAlign = TextOf(pInternal, PropTextVertAlign, AlignTop);
    m_strHorzAlign = TextOf(pInternal, PropTextHorzAlign, AlignLeft);
    m_bTabStop = FlagOf(pInternal, PropTabStop, TRUE);
    m_bValid = FlagOf(pInternal, PropEnabled, TRUE);
    m_bShown = FlagOf(pInternal, PropVisible, TRUE);
    m_bChecked = FlagOf(pInternal, PropChecked, TRUE);
    m_bReadOnly = FlagOf(pInternal, PropReadOnly, FALSE);
    m_bShowTip = FlagOf(pInternal, PropShowTip, TRUE);
    m_strTip = TextOf(pInternal, PropTip, "");
    CFCComRef<IXMLDOMNode> pFont(FCSelectChild(pInternal, PropFontInternal));
    if (pFont != NULL)
        FontFromXml(pFont, m_logFont);
}

void CFCControlInternalProp::CopyFrom(CFCControlInternalProp& other, BOOL bKeepIdentity)
{
    m_bDesignState = other.m_bDesignState;
    m_strCaption = other.m_strCaption;
    m_strItems = other.m_strItems;
    m_strScript = other.m_strScript;
    m_rect = other.m_rect;
    m_bTabStop = other.m_bTabStop;
    m_bShowTip = other.m_bShowTip;
    m_bShown = other.m_bShown;
    m_bValid = other.m_bValid;
    m_bChecked = other.m_bChecked;
    m_bReadOnly = other.m_bReadOnly;
    m_strTip = other.m_strTip;
    if (other.m_pFont == NULL)
        other.MakeFont();
    if (other.m_pFont != NULL)
        other.m_pFont->GetLogFont(&m_logFont);
    m_clrFore = other.m_clrFore;
    m_clrBack = other.m_clrBack;
    m_dwStyle = other.m_dwStyle;
    m_pOwner = other.m_pOwner;
    m_nKind = other.m_nKind;
    m_strVertAlign = other.m_strVertAlign;
    m_strHorzAlign = other.m_strHorzAlign;
    if (bKeepIdentity) {
        m_nTabOrder = other.m_nTabOrder;
        m_nControlId = other.m_nControlId;
        m_bAlreadyExists = other.m_bAlreadyExists;
    } else {
        if (m_pOwner != NULL) {
            m_nTabOrder = m_pOwner->NextTabOrder();
            m_nControlId = m_pOwner->NextControlId();
        }
        m_bAlreadyExists = 0;
    }
}

void CFCControlInternalProp::SetStyleBits(DWORD dwBits, BOOL bOn)
{
    if (bOn)
        m_dwStyle |= dwBits;
    else
        m_dwStyle &= ~dwBits;
}

DWORD CFCControlInternalProp::CreationStyle() const
{
    return m_bDesignState ? (m_dwStyle & ~DWORD(WS_DISABLED)) : m_dwStyle;
}

void CFCControlInternalProp::SetTabOrder(int nIndex)
{
    if (m_nTabOrder == nIndex)
        return;
    m_nTabOrder = nIndex;
    if (m_pOwner != NULL)
        m_pOwner->MoveInTabOrder(*this, nIndex);
}
