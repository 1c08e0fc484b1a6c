// The fixed texts with which the form-control framework and its property
// list describe controls, their properties and field data types. They are
// the keys and values of the form description, so their bytes must not change.
#pragma once

// Field data types, codes 0 to 9 in this order (DataTypeCodeByName).
inline constexpr char DataTypeAutoIncrement[] = "自动增加";
inline constexpr char DataTypeInteger[] = "整数";
inline constexpr char DataTypeFloat[] = "浮点";
inline constexpr char DataTypeCurrency[] = "货币";
inline constexpr char DataTypeVarString[] = "变长字符串";
inline constexpr char DataTypeFixedString[] = "定长字符串";
inline constexpr char DataTypeDate[] = "日期";
inline constexpr char DataTypeLongText[] = "大文本";
inline constexpr char DataTypeBinary[] = "二进制";
inline constexpr char DataTypeOther[] = "其他";

// Text alignments; AlignCenter and AlignMiddle share their text and are told
// apart by the property they stand in.
inline constexpr char AlignLeft[] = "居左";
inline constexpr char AlignCenter[] = "居中";
inline constexpr char AlignRight[] = "居右";
inline constexpr char AlignTop[] = "靠上";
inline constexpr char AlignMiddle[] = "居中";
inline constexpr char AlignBottom[] = "靠下";

// Property keys of one framework control.
inline constexpr char PropTop[] = "上";
inline constexpr char PropLeft[] = "左";
inline constexpr char PropRight[] = "右";
inline constexpr char PropBottom[] = "下";
inline constexpr char PropFont[] = "字体";
inline constexpr char PropTip[] = "提示";
inline constexpr char PropShowTip[] = "显示提示";
inline constexpr char PropEnabled[] = "有效";
inline constexpr char PropVisible[] = "显示";
inline constexpr char PropDatabaseBound[] = "与数据库相关";
inline constexpr char PropTableName[] = "表名";
inline constexpr char PropFieldName[] = "字段名";
inline constexpr char PropFieldEnumValues[] = "字段枚举值";
inline constexpr char PropCaption[] = "标题";
// Also the row on which the property list offers the colour picker.
inline constexpr char PropForeColor[] = "前景色";
inline constexpr char PropBackColor[] = "背景色";
inline constexpr char PropTabStop[] = "TabStop";
inline constexpr char PropTabOrder[] = "TabOrder";
inline constexpr char PropControlId[] = "控件ID";
inline constexpr char PropTextHorzAlign[] = "文字水平方向";
inline constexpr char PropTextVertAlign[] = "字体垂直方向";
inline constexpr char PropChecked[] = "是否选中";
inline constexpr char PropReadOnly[] = "只读";
inline constexpr char PropItems[] = "条目";
inline constexpr char PropValidation[] = "有效性检查";
inline constexpr char PropControlKind[] = "控件类别";
inline constexpr char PropStyle[] = "样式";
inline constexpr char PropAlreadyExists[] = "已经存在";
inline constexpr char PropInternal[] = "内部属性";
inline constexpr char PropDesignState[] = "设计状态";
// The font inside the internal property block; the same text as PropFont.
inline constexpr char PropFontInternal[] = "字体";

// The control manager's entries of the form file.
inline constexpr char KeyControlManager[] = "控件管理器";
inline constexpr char KeyControlCounterId[] = "控件计数ID";
inline constexpr char KeyMaxCtrlId[] = "最大CTRLID";
inline constexpr char KeyMaxTabOrderId[] = "最大TABORDERID";

// The ten control kinds.
inline constexpr char KindLabel[] = "标签";
inline constexpr char KindButton[] = "按钮";
inline constexpr char KindRadio[] = "单选框";
inline constexpr char KindCheckBox[] = "检查框";
inline constexpr char KindComboBox[] = "组合框";
inline constexpr char KindEdit[] = "编辑框";
inline constexpr char KindMemo[] = "多文本框";
inline constexpr char KindSelectBox[] = "选择框";
inline constexpr char KindListBox[] = "列表框";
inline constexpr char KindDateControl[] = "日期控件";
