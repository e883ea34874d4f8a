// The reporter's message texts and the run-time's own texts. This file is compiled with a code
// page 932 execution character set, so every literal here is stored in code page 932.
#include "interp/interp.h"

namespace tw::interp {

std::string_view message(int code) {
  switch (code) {
    case SyntaxError: return "文法が間違っています";
    case NotAssignable: return "左のｵﾍﾟﾗﾝﾄﾞが、左辺値になっていません";
    case InvalidIdentifier: return "%s 無効な識別子です";
    case UnexpectedError: return "予期せぬｴﾗｰです";
    case OutOfRange: return "指定すべき数値の範囲ではありません";
    case ReturnWithoutGosub: return "Return 命令語に対応する GoSub 命令語が検出されませんでした";
    case FileAccessError: return "ﾌｧｲﾙへのｱｸｾｽ ｴﾗｰです";
    case CannotOpenFile: return "ﾌｧｲﾙをｵｰﾌﾟﾝできません";
    case TypeMismatch: return "型が違います";
    case WrongParameterCount: return "指定すべきﾊﾟﾗﾒｰﾀの個数が違います";
    case NoDataForRead: return "Read 命令語に対応するﾃﾞｰﾀがありません";
    case MemoryRangeExceeded: return "ﾒﾓﾘの指定範囲を超えています";
    case CannotRefer: return "%s を参照できません";
    case ArrayMemoryExceeded: return "定義された配列の許容ﾒﾓﾘを超えています";
    case InternalMemoryError: return "内部ﾒﾓﾘｰ ｴﾗｰ";
    case OwnText: return "%s";
    case InvalidInput: return "不正な入力です";
    case NextWithoutFor: return "Next 命令語に対する For 命令語が検出されませんでした";
    case WendWithoutWhile: return "Wend 命令語に対する While 命令語が検出されませんでした";
    default: return {};
  }
}

std::string_view text(Text id) {
  switch (id) {
    case Text::ChainRefused: return "Chain 命令語は使用できません";
    case Text::RunRefused: return "Run 命令語は使用できません";
    case Text::DivisionByZero: return "0で割ろうとしました";
    case Text::ArrayAlreadyDefined: return "配列変数 %s はすでに定義されています";
    case Text::NegativeSubscript: return "配列の添え字にはﾏｲﾅｽ値を指定できません";
    case Text::NegativeSleep: return "SLEEP 命令語にﾏｲﾅｽ値を指定することはできません";
    case Text::EmptyAsc: return "空の文字列をASC 関数で使用しました";
    case Text::LogNegative: return "LOG 関数のﾊﾟﾗﾒｰﾀにﾏｲﾅｽの値は指定できません";
    case Text::SqrNegative: return "SQR 関数のﾊﾟﾗﾒｰﾀにﾏｲﾅｽの値は指定できません";
    case Text::MciError: return "MCI エラー:%s";
    case Text::NoMidiDevice: return "Midi出力デバイスがインストールされていない可能性があります";
    case Text::FileSystemError: return "ﾌｧｲﾙ ｼｽﾃﾑ ｴﾗｰ";
    case Text::ErrorTitle: return "Error";
    case Text::ErrorBoxTitle: return "Basic - Error";
    case Text::WarningBoxTitle: return "Basic - Warning";
  }
  return {};
}

}  // namespace tw::interp
