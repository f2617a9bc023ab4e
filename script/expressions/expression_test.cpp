#include "expression.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "experror.h"
#include "expfunction.h"

namespace {

struct Result {
  int rc;
  CExpValue value;
};

Result Evaluate(const std::string& text) {
  Result r;
  CExpression e;
  r.rc = e.CheckText(text.c_str());
  if (r.rc == EXP_OK) r.rc = e.Calculate(r.value, nullptr);
  return r;
}

struct IntCase {
  const char* text;
  int32_t value;
};

const IntCase kIntCases[] = {
    {"3+4", 7},
    {"-2*3", -6},  // unary minus on 2
    {"5-2", 3},
    {"10-4-3", 3},  // one level groups from the left
    {"100/10/5", 2},
    {"2*3*4+1", 25},
    {"2+3*4", 14},
    {"(2+3)*4", 20},
    {" ( 2 + 3 ) \t*\r\n4 ", 20},
    {"7/2", 3},
    {"-7/2", -3},  // truncated toward zero
    {"7%3", 1},
    {"-7%3", -1},
    {"--2", 2},
    {"-(2+3)", -5},
    {"2*-3", -6},
    {"2--3", 5},
    {"1<2", 1},
    {"2<1", 0},
    {"2<=2", 1},
    {"3>=4", 0},
    {"3>2", 1},
    {"1.5>1", 1},
    {"1+2<4", 1},  // + binds tighter than <
    {"3&1<2", 1},  // < binds tighter than &
    {"\"a\"<\"b\"", 1},
    {"\"b\"<\"a\"", 0},
    {"\"中\">\"z\"", 1},  // bytes compare unsigned
    {"\"ab\"<\"abc\"", 1},
    {"1||0", 1},
    {"0||0", 0},
    {"2&&3", 1},
    {"0.0&&1", 0},
    {"0.5&&1", 1},
    {"\"\"&&1", 1},  // a string is true when it exists
    {"6|1", 7},
    {"6^3", 5},
    {"6&3", 2},
    {"1|2&&0", 0},  // && below |
    {"1<<4", 16},
    {"1<<33", 2},    // shift count: low 5 bits
    {"-1>>28", 15},  // zeros enter from the left
    {"1<<2+1", 8},
    {"~0", -1},
    {"~5.7", -6},
    {"-2147483647-1", INT32_MIN},
    {"2147483647+1", INT32_MIN},  // wraps
    {"(-2147483647-1)/1", INT32_MIN},
    {"(-2147483647-1)%2", 0},
    {"-7/-1", 7},
    {"0x1F", 31},
    {"0XfF", 255},
    {"0xFFFFFFFF", -1},
    {"0x100000001", 2},  // a ninth digit wraps its shift to 0
    {"12", 12},
    {"abs(-5)", 5},
    {"abs(-2.7)", 2},
    {"labs(-3)", 3},
    {"abs(-2147483647-1)", INT32_MIN},
    {"atoi(\"42x\")", 42},
    {"atoi(\"1,2\")", 1},
    {"ATOI(\"7\")", 7},
    {"\"12\"+0<13", 1},  // "12"+0 is the string "120", below "13"
    {"3+(\"5\"<\"6\")", 4},
};

TEST(Expression, IntegerResults) {
  for (const IntCase& c : kIntCases) {
    SCOPED_TRACE(c.text);
    Result r = Evaluate(c.text);
    ASSERT_EQ(EXP_OK, r.rc);
    ASSERT_EQ(EV_INT, r.value.GetType());
    EXPECT_EQ(c.value, r.value.GetInt());
  }
}

struct DoubleCase {
  const char* text;
  double value;
};

const DoubleCase kDoubleCases[] = {
    {"3+4.5", 7.5},          {"7.0/2", 3.5},         {"7.5%2", 1.5},
    {"-1.25", -1.25},        {".5+1", 1.5},          {"2.", 2.0},
    {"1.5*2", 3.0},          {"fabs(-2.5)", 2.5},    {"sqrt(16)", 4.0},
    {"sqrt(abs(-16))", 4.0}, {"pow(2,10)", 1024.0},  {"pow(pow(2,3),2)", 64.0},
    {"pow( 2 , 1+1 )", 4.0}, {"fmod(7,3)", 1.0},     {"floor(-1.5)", -2.0},
    {"ceil(1.2)", 2.0},      {"SIN(0)", 0.0},        {"cos(0)", 1.0},
    {"exp(0)", 1.0},         {"log(1)", 0.0},        {"log10(1000)", 3.0},
    {"atan(0)", 0.0},        {"asin(0)", 0.0},       {"acos(1)", 0.0},
    {"tan(0)", 0.0},         {"atof(\"2.5\")", 2.5}, {"atof(\"2.5\")*2", 5.0},
};

TEST(Expression, DoubleResults) {
  for (const DoubleCase& c : kDoubleCases) {
    SCOPED_TRACE(c.text);
    Result r = Evaluate(c.text);
    ASSERT_EQ(EXP_OK, r.rc);
    ASSERT_EQ(EV_DOUBLE, r.value.GetType());
    EXPECT_DOUBLE_EQ(c.value, r.value.GetDouble());
  }
}

TEST(Expression, DoubleDivisionByZeroIsInfinite) {
  Result r = Evaluate("1.0/0");
  ASSERT_EQ(EXP_OK, r.rc);
  EXPECT_TRUE(std::isinf(r.value.GetDouble()));
}

struct StringCase {
  const char* text;
  const char* value;
};

const StringCase kStringCases[] = {
    {"\"ab\"+1", "ab1"},           {"1+\"ab\"", "1ab"},
    {"\"x\"+2.5", "x2.5"},         {"\"x\"+1000000.0", "x1E+006"},  // the platform runtime's "%G"
    {"\"a b\"+\"c\"", "a bc"},     {"\"\"", ""},
    {"\"温度\"+\"高\"", "温度高"}, {"\"(1,2)\"", "(1,2)"},
};

TEST(Expression, StringResults) {
  for (const StringCase& c : kStringCases) {
    SCOPED_TRACE(c.text);
    Result r = Evaluate(c.text);
    ASSERT_EQ(EXP_OK, r.rc);
    ASSERT_EQ(EV_STRING, r.value.GetType());
    EXPECT_STREQ(c.value, r.value.GetString());
  }
}

TEST(Expression, StringsAreCutTo255Characters) {
  const std::string a(200, 'a'), b(200, 'b');
  Result joined = Evaluate("\"" + a + "\"+\"" + b + "\"");
  ASSERT_EQ(EXP_OK, joined.rc);
  EXPECT_EQ(a + std::string(55, 'b'), joined.value.GetString());
  EXPECT_EQ(255u, joined.value.m_length);

  Result literal = Evaluate("\"" + std::string(300, 'z') + "\"");
  ASSERT_EQ(EXP_OK, literal.rc);
  EXPECT_EQ(std::string(255, 'z'), literal.value.GetString());
}

// A double-byte character that would straddle byte 255 is left out whole.
TEST(Expression, CutsTo255BytesNeverSplitACharacter) {
  const std::string a254(254, 'a'), a253(253, 'a');
  struct Case {
    std::string text;
    std::string value;
  } cases[] = {
      {"\"" + a254 + "中文\"", a254},
      {"\"" + a253 + "中文\"", a253 + "中"},
      {"\"" + a254 + "\"+\"中\"", a254},
      {"\"" + a253 + "\"+\"中\"+\"x\"", a253 + "中"},
      {"\"" + a254 + "\"+\"x中\"", a254 + "x"},
      {"\"" + std::string(200, 'b') + "\"+\"" + std::string(30, 'c') + "温度温度温度温度温度温度温度\"",
       std::string(200, 'b') + std::string(30, 'c') + "温度温度温度温度温度温度"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value.size());
    Result r = Evaluate(c.text);
    ASSERT_EQ(EXP_OK, r.rc);
    EXPECT_EQ(c.value, r.value.GetString());
    EXPECT_EQ(c.value.size(), r.value.m_length);
  }
}

TEST(ExpValue, AStringEndingOnALoneLeadByteKeepsIt) {
  // Within the limit nothing is cut: a lead byte without a trail stays.
  CExpValue v;
  v.SetString("ab\x81");
  EXPECT_STREQ("ab\x81", v.GetString());
  v.SetString("ab\x81\x40", 3);  // only three bytes are the text
  EXPECT_STREQ("ab\x81", v.GetString());
  EXPECT_EQ(3u, v.m_length);
  const std::string tail = std::string(254, 'a') + "\x81";
  v.SetString(tail.c_str());
  EXPECT_EQ(tail, v.GetString());
}

struct ErrorCase {
  const char* text;
  int rc;
};

TEST(Expression, CheckErrors) {
  const ErrorCase cases[] = {
      {"", EXP_ERR_SYNTAX},          {"   ", EXP_ERR_SYNTAX},       {"3 4", EXP_ERR_SYNTAX},
      {"abc", EXP_ERR_SYNTAX},       {"1.2.3", EXP_ERR_SYNTAX},     {"0x", EXP_ERR_SYNTAX},
      {"0xG1", EXP_ERR_SYNTAX},      {"1e5", EXP_ERR_SYNTAX},       {"1==1", EXP_ERR_SYNTAX},
      {"()", EXP_ERR_SYNTAX},        {"(1)(2)", EXP_ERR_SYNTAX},    {"3~4", EXP_ERR_SYNTAX},
      {"1,2", EXP_ERR_SYNTAX},       {"sin (1)", EXP_ERR_SYNTAX},   {"(1+2", EXP_ERR_PAREN},
      {"1+2)", EXP_ERR_PAREN},       {"((1)", EXP_ERR_PAREN},       {"TV(abc", EXP_ERR_PAREN},
      {"sin(1", EXP_ERR_PAREN},      {"foo(1)", EXP_ERR_FUNCTION},  {"NULL(1)", EXP_ERR_FUNCTION},
      {"2(3)", EXP_ERR_FUNCTION},    {"3+", EXP_ERR_ARGUMENT},      {"-", EXP_ERR_ARGUMENT},
      {"+3", EXP_ERR_ARGUMENT},      {"3+*4", EXP_ERR_ARGUMENT},    {"(3+)", EXP_ERR_ARGUMENT},
      {"sin()", EXP_ERR_ARGUMENT},   {"sin( )", EXP_ERR_ARGUMENT},  {"pow(1)", EXP_ERR_ARGUMENT},
      {"pow(1,)", EXP_ERR_ARGUMENT}, {"pow(,1)", EXP_ERR_ARGUMENT}, {"pow(1,2,3)", EXP_ERR_ARGUMENT},
      {"sin(1+)", EXP_ERR_ARGUMENT}, {"sin((1)", EXP_ERR_PAREN},    {"sin(foo(1))", EXP_ERR_FUNCTION},
      {"TV()", EXP_ERR_EMPTYTAG},    {"tv(  )", EXP_ERR_EMPTYTAG},  {"LVV()+1", EXP_ERR_EMPTYTAG},
      {"\"abc", EXP_ERR_QUOTE},      {"1+\"", EXP_ERR_QUOTE},       {"atoi(\"ab)", EXP_ERR_QUOTE},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.text);
    CExpression e;
    EXPECT_EQ(c.rc, e.CheckText(c.text));
    EXPECT_EQ(0, e.GetNodeCount());  // emptied on error
  }
}

const ErrorCase kEvaluationErrors[] = {
    {"1/0", EXP_ERR_ARGUMENT},  // integer division by zero stops nothing
    {"1%0", EXP_ERR_ARGUMENT},
    {"5/(2-2)", EXP_ERR_ARGUMENT},
    {"5%(1-1)", EXP_ERR_ARGUMENT},
    {"1+(-2147483647-1)/-1", EXP_ERR_ARGUMENT},  // the quotient does not fit
    {"(-2147483647-1)%-1", EXP_ERR_ARGUMENT},
    {"0x80000000/-1", EXP_ERR_ARGUMENT},
    {"-\"a\"", EXP_ERR_ARGUMENT},
    {"\"a\"*2", EXP_ERR_ARGUMENT},
    {"\"a\"-\"b\"", EXP_ERR_ARGUMENT},
    {"\"a\"/1", EXP_ERR_ARGUMENT},
    {"\"a\"%1", EXP_ERR_ARGUMENT},
    {"atof(1)", EXP_ERR_ARGUMENT},
    {"atoi(2.5)", EXP_ERR_ARGUMENT},
    {"TV(a)", EXP_ERR_NOCONTEXT},
    {"1+LV(a)", EXP_ERR_NOCONTEXT},
    {"sqrt(TVV(a))", EXP_ERR_NOCONTEXT},
};

TEST(Expression, EvaluationErrors) {
  for (const ErrorCase& c : kEvaluationErrors) {
    SCOPED_TRACE(c.text);
    CExpression e;
    ASSERT_EQ(EXP_OK, e.CheckText(c.text));
    CExpValue result;
    result.SetString("stale");
    EXPECT_EQ(c.rc, e.Calculate(result, nullptr));
    EXPECT_EQ(EV_INT, result.GetType());  // cleared
    EXPECT_EQ(0, result.GetInt());
  }
}

// A link parses its expression once, when it is prepared, and evaluates the
// same list on every firing (each evaluation reusing the room of the last
// one's stack); every firing must give what a text parsed afresh gives.
TEST(Expression, AnExpressionParsedOnceEvaluatesAsOneParsedEachTime) {
  std::vector<const char*> texts;
  for (const IntCase& c : kIntCases) texts.push_back(c.text);
  for (const DoubleCase& c : kDoubleCases) texts.push_back(c.text);
  for (const StringCase& c : kStringCases) texts.push_back(c.text);
  for (const ErrorCase& c : kEvaluationErrors) texts.push_back(c.text);
  std::vector<std::unique_ptr<CExpression>> kept;
  for (const char* text : texts) {
    kept.emplace_back(new CExpression);
    ASSERT_EQ(EXP_OK, kept.back()->CheckText(text)) << text;
  }
  for (int round = 0; round < 3; ++round)
    for (size_t i = 0; i < texts.size(); ++i) {
      SCOPED_TRACE(texts[i]);
      const Result fresh = Evaluate(texts[i]);
      CExpValue value;
      value.SetString("stale");
      ASSERT_EQ(fresh.rc, kept[i]->Calculate(value, nullptr));
      ASSERT_EQ(fresh.value.GetType(), value.GetType());
      switch (value.GetType()) {
        case EV_INT: EXPECT_EQ(fresh.value.GetInt(), value.GetInt()); break;
        case EV_DOUBLE: EXPECT_EQ(fresh.value.GetDouble(), value.GetDouble()); break;
        default: EXPECT_STREQ(fresh.value.GetString(), value.GetString());
      }
    }
}

// A function node evaluates its arguments into cells of its own frame.
TEST(Expression, NoFunctionTakesMoreArgumentsThanAFunctionNodeHasCellsFor) {
  for (const ExpFunctionInfo& f : ExpFunctionTable)
    EXPECT_LE(static_cast<size_t>(f.arguments), kExpMaxArguments) << f.name;
}

TEST(Expression, AListThatFailedItsCheckNeverEvaluates) {
  CExpression e;
  ASSERT_EQ(EXP_ERR_PAREN, e.CheckText("(1"));
  CExpValue result;
  EXPECT_EQ(EXP_ERR_SYNTAX, e.Calculate(result, nullptr));
}

TEST(Expression, AnExpressionEvaluatesAgainAndAgain) {
  CExpression e;
  ASSERT_EQ(EXP_OK, e.CheckText("\"n\"+(2*3)"));
  for (int i = 0; i < 3; ++i) {
    CExpValue result;
    ASSERT_EQ(EXP_OK, e.Calculate(result, nullptr));
    EXPECT_STREQ("n6", result.GetString());
  }
  EXPECT_STREQ("\"n\"+(2*3)", e.GetText().GetString());
}

TEST(Expression, DeeplyNestedCallsAreRefused) {
  std::string deep;
  for (int i = 0; i < 200; ++i) deep += "abs(";
  deep += "1";
  deep += std::string(200, ')');
  CExpression e;
  EXPECT_EQ(EXP_ERR_SYNTAX, e.CheckText(deep.c_str()));

  std::string parens = std::string(5000, '(') + "1" + std::string(5000, ')');
  EXPECT_EQ(EXP_OK, e.CheckText(parens.c_str()));  // parentheses need no recursion
}

std::string Repeat(const char* text, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += text;
  return out;
}

// Function calls are parsed, checked, evaluated, given their context and
// freed by recursion, which stops at 32 nested calls with a syntax error.
TEST(Expression, ThirtyTwoNestedCallsAreTheLimit) {
  Result r = Evaluate(Repeat("abs(", 32) + "-5" + Repeat(")", 32));
  ASSERT_EQ(EXP_OK, r.rc);
  EXPECT_EQ(5, r.value.GetInt());
  CExpression e;
  ASSERT_EQ(EXP_OK, e.CheckText((Repeat("pow(1,", 31) + "sqrt(TV(t))" + Repeat(")", 31)).c_str()));
  CExpValue value;
  EXPECT_EQ(EXP_ERR_NOCONTEXT, e.Calculate(value, nullptr));  // reached the innermost argument
  EXPECT_EQ(EXP_ERR_SYNTAX, Evaluate(Repeat("abs(", 33) + "-5" + Repeat(")", 33)).rc);
}

// Texts nested far deeper than any bound: refused with their own code, or
// evaluated without recursion.
TEST(Expression, FarTooDeepNestingEndsInAnErrorCodeOrAValue) {
  constexpr int kDeep = 100000;
  struct Case {
    std::string text;
    int rc;
    int value;
  };
  const Case cases[] = {
      {Repeat("abs(", kDeep) + "1" + Repeat(")", kDeep), EXP_ERR_SYNTAX, 0},
      {Repeat("pow(2,", kDeep) + "1" + Repeat(")", kDeep), EXP_ERR_SYNTAX, 0},
      {Repeat("abs((", kDeep) + "1" + Repeat("))", kDeep), EXP_ERR_SYNTAX, 0},
      {Repeat("abs(", kDeep) + "1", EXP_ERR_PAREN, 0},
      {Repeat("(", kDeep) + "7" + Repeat(")", kDeep), EXP_OK, 7},
      {Repeat("-", kDeep) + "7", EXP_OK, 7},
      {Repeat("-", kDeep + 1) + "7", EXP_OK, -7},
      {Repeat("~", kDeep + 1) + "0", EXP_OK, -1},
      {Repeat("-(", kDeep) + "7" + Repeat(")", kDeep), EXP_OK, 7},
      {Repeat("1+", kDeep) + "1", EXP_OK, kDeep + 1},
      {Repeat("(", kDeep) + "7", EXP_ERR_PAREN, 0},
      // A tag name takes everything up to its closing parenthesis.
      {"TV(" + Repeat("(", kDeep) + "t" + Repeat(")", kDeep) + ")", EXP_ERR_NOCONTEXT, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 12));
    Result r = Evaluate(c.text);
    EXPECT_EQ(c.rc, r.rc);
    if (c.rc == EXP_OK) {
      EXPECT_EQ(c.value, r.value.GetInt());
    }
  }
}

TEST(Expression, PostfixOrder) {
  CExpression e;
  ASSERT_EQ(EXP_OK, e.CheckText("1-2*3"));
  ASSERT_EQ(5, e.GetNodeCount());
  const int kinds[] = {EN_CONSTANT, EN_CONSTANT, EN_CONSTANT, EN_OPERATOR, EN_OPERATOR};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(kinds[i], e.GetNode(i)->GetKind());
  EXPECT_EQ(13, static_cast<const CExpOperatorNode*>(e.GetNode(3))->m_code);
  EXPECT_EQ(12, static_cast<const CExpOperatorNode*>(e.GetNode(4))->m_code);
}

TEST(ExpressionErrorText, EveryCodeHasItsText) {
  const char* const texts[] = {
      "OK",           "语法错误",     "()不匹配",         "未知运算符", "未知函数",
      "函数参数错误", "TV()内容为空", "字符串引号不匹配", "无回调函数", "回调取外部变量错误",
  };
  for (int code = 0; code < 10; ++code) {
    SCOPED_TRACE(code);
    EXPECT_STREQ(texts[code], GetExpErrorText(code));
  }
  EXPECT_STREQ("", GetExpErrorText(10));
  EXPECT_STREQ("", GetExpErrorText(-1));
}

TEST(ExpValue, ConversionTable) {
  CExpValue v;
  v.SetInt(-12);
  v.ChangeType(EV_DOUBLE);
  EXPECT_EQ(-12.0, v.GetDouble());
  v.SetDouble(-2.9);
  v.ChangeType(EV_INT);
  EXPECT_EQ(-2, v.GetInt());
  v.SetDouble(0.5);
  v.ChangeType(EV_STRING);
  EXPECT_STREQ("0.5", v.GetString());
  EXPECT_EQ(3u, v.m_length);
  v.SetInt(-7);
  v.ChangeType(EV_STRING);
  EXPECT_STREQ("-7", v.GetString());
  v.SetString(" 12abc");
  v.ChangeType(EV_INT);
  EXPECT_EQ(12, v.GetInt());
  v.SetString("2.5e1");
  v.ChangeType(EV_DOUBLE);
  EXPECT_EQ(25.0, v.GetDouble());
  v.SetDouble(1e30);
  v.ChangeType(EV_INT);  // out of range: defined, no trap
  EXPECT_EQ(INT32_MIN, v.GetInt());
}

TEST(ExpValue, CopiesOwnTheirStrings) {
  CExpValue a;
  a.SetString("abc");
  CExpValue b = a;
  a.SetString("x");
  EXPECT_STREQ("abc", b.GetString());
  b = b;
  EXPECT_STREQ("abc", b.GetString());
  b.SetString(b.GetString() + 1);  // from its own storage
  EXPECT_STREQ("bc", b.GetString());
  b.Clear();
  EXPECT_EQ(EV_INT, b.GetType());
  EXPECT_EQ(0, b.GetInt());
}

}  // namespace
