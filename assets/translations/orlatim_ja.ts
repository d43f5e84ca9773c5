<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>BoardOptions</name>
    <message>
        <source>Serve the board of every room that publishes to the broker at URL (mqtt://[user@]host[:port]/prefix or mqtts://...), with no window, and print its link. The password is read from ORLATIM_BROKER_PASSWORD.</source>
        <translation>URL のブローカーに状態を送るすべての会場のボードを、ウィンドウなしで配信し、そのリンクを表示します。URL は mqtt://[user@]host[:port]/prefix または mqtts://...。パスワードは ORLATIM_BROKER_PASSWORD から読みます。</translation>
    </message>
    <message>
        <source>With --board: the page&apos;s language, ja or en (default: the system&apos;s).</source>
        <translation>--board と共に: ページの言語、ja または en(既定: システムの言語)。</translation>
    </message>
    <message>
        <source>With --board and mqtts://: the certificate authorities to trust (default: the system&apos;s).</source>
        <translation>--board と mqtts:// と共に: 信頼する認証局のファイル(既定: システムの認証局)。</translation>
    </message>
    <message>
        <source>--%1 goes with --board.</source>
        <translation>--%1 は --board と共に指定してください。</translation>
    </message>
    <message>
        <source>--lang takes ja or en, not &quot;%1&quot;.</source>
        <translation>--lang には ja か en を指定してください(「%1」は指定できません)。</translation>
    </message>
</context>
<context>
    <name>BrokerAddress</name>
    <message>
        <source>The broker&apos;s address is not a valid URL: %1</source>
        <translation>ブローカーのアドレスが URL として正しくありません: %1</translation>
    </message>
    <message>
        <source>The broker&apos;s address starts with mqtt:// or mqtts://: %1</source>
        <translation>ブローカーのアドレスは mqtt:// か mqtts:// で始めてください: %1</translation>
    </message>
    <message>
        <source>The broker&apos;s password does not belong in its address: give it in the window or in ORLATIM_BROKER_PASSWORD.</source>
        <translation>ブローカーのパスワードはアドレスに含めず、ウィンドウか ORLATIM_BROKER_PASSWORD で指定してください。</translation>
    </message>
    <message>
        <source>The broker&apos;s address names no host: %1</source>
        <translation>ブローカーのアドレスにホスト名がありません: %1</translation>
    </message>
    <message>
        <source>The broker&apos;s port is not between 1 and 65535: %1</source>
        <translation>ブローカーのポートが 1 から 65535 の範囲にありません: %1</translation>
    </message>
    <message>
        <source>The broker&apos;s address ends with its topic prefix, with no &quot;?&quot; or &quot;#&quot;: %1</source>
        <translation>ブローカーのアドレスはトピックの接頭辞で終え、「?」や「#」を含めないでください: %1</translation>
    </message>
    <message>
        <source>The broker&apos;s address ends with the conference&apos;s topic prefix, as in mqtt://host/conference</source>
        <translation>ブローカーのアドレスの最後には、mqtt://host/conference のように会議のトピック接頭辞を付けてください</translation>
    </message>
    <message>
        <source>The topic prefix may not hold &quot;+&quot;, &quot;#&quot;, control characters or empty levels: %1</source>
        <translation>トピック接頭辞には「+」「#」、制御文字、空の階層を含められません: %1</translation>
    </message>
</context>
<context>
    <name>ClockFile</name>
    <message>
        <source>%1 holds the clock correction %2, more than 2 % away from 18000: talks will run %3 % fast, a 10-minute talk ending after %4 min %5 s. &quot;時間補正&quot; in the settings window measures the clock again.</source>
        <translation>%1 の時間補正値 %2 は、18000 との差が 2 % を超えています。発表は %3 % 速く計られ、10 分の発表が実際には %4 分 %5 秒で終わります。設定ウィンドウの「時間補正」で計り直せます。</translation>
    </message>
    <message>
        <source>%1 holds the clock correction %2, more than 2 % away from 18000: talks will run %3 % slow, a 10-minute talk ending after %4 min %5 s. &quot;時間補正&quot; in the settings window measures the clock again.</source>
        <translation>%1 の時間補正値 %2 は、18000 との差が 2 % を超えています。発表は %3 % 遅く計られ、10 分の発表が実際には %4 分 %5 秒で終わります。設定ウィンドウの「時間補正」で計り直せます。</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Run &quot;%1 --help&quot; to see the options.</source>
        <translation>オプションの一覧は「%1 --help」で表示されます。</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>このヘルプを表示して終了します。</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>バージョンを表示して終了します。</translation>
    </message>
    <message>
        <source>Presentation timer for academic conferences. It keeps its settings,
Orlatim.cfg and Orlatim.clk, in the folder it is started in.
Qt&apos;s own options, such as -platform and -style, are accepted too.
See orlatim(1).</source>
        <translation>学会発表のためのプレゼンテーションタイマーです。設定ファイル
Orlatim.cfg と Orlatim.clk は起動したフォルダーに置かれます。
-platform や -style など Qt 自身のオプションも使えます。
詳しくは orlatim(1) を参照してください。</translation>
    </message>
    <message>
        <source>Show the stage window on screen N (from 1, in the order of the right-click menu) for this run only; 0 for none.</source>
        <translation>今回の起動に限り、ステージ表示を画面 N(1 から、右クリックメニューの順)に出します。0 で出しません。</translation>
    </message>
    <message>
        <source>--stage-screen is for the timer&apos;s window: it cannot go with --import, --report or --board.</source>
        <translation>--stage-screen はタイマーのウィンドウ用です。--import、--report、--board とは一緒に使えません。</translation>
    </message>
    <message>
        <source>--stage-screen needs a screen number: 1 for the first, 0 for none.</source>
        <translation>--stage-screen には画面の番号が必要です(1 が最初の画面、0 はなし)。</translation>
    </message>
    <message>
        <source>Usage: %1 [options]</source>
        <translation>使い方: %1 [オプション]</translation>
    </message>
    <message>
        <source>Unexpected argument &quot;%1&quot;.</source>
        <translation>引数「%1」は使えません。</translation>
    </message>
    <message>
        <source>--remote-port needs a port number from 1 to 65535.</source>
        <translation>--remote-port には 1 から 65535 までのポート番号を指定してください。</translation>
    </message>
    <message>
        <source>Serve the remote view on PORT for this run only and print its view, control and chair links.</source>
        <translation>今回の起動に限り PORT でリモート表示を行い、
表示用、操作用、座長用のリンクを表示します。</translation>
    </message>
    <message>
        <source>Publish this room&apos;s talk for this run only to the conference board&apos;s MQTT broker at URL, mqtt://[user@]host[:port]/prefix or mqtts://…; the password comes from ORLATIM_BROKER_PASSWORD.</source>
        <translation>この会場の発表の状態を、今回の起動に限り、URL の会議ボード用 MQTT ブローカーに送ります。URL は mqtt://[user@]host[:port]/prefix または mqtts://…。パスワードは ORLATIM_BROKER_PASSWORD で渡します。</translation>
    </message>
    <message>
        <source>--room needs the room&apos;s name.</source>
        <translation>--room には会場名を指定してください。</translation>
    </message>
    <message>
        <source>--import, --report and --remote-port or --board are given one at a time.</source>
        <translation>--import、--report、--remote-port または --board は一度に一つだけ指定してください。</translation>
    </message>
    <message>
        <source>--broker publishes a running timer, not --import, --report or --board.</source>
        <translation>--broker は起動したタイマーの状態を送るもので、--import、--report、--board とは併用できません。</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>The settings were not saved.</source>
        <translation>設定は保存されませんでした。</translation>
    </message>
    <message>
        <source>Remote view…</source>
        <translation>リモート表示…</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>全画面表示</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>Programme…</source>
        <translation>プログラム…</translation>
    </message>
    <message>
        <source>Forward 10 seconds	+</source>
        <translation>10 秒進める	+</translation>
    </message>
    <message>
        <source>Back 10 seconds	−</source>
        <translation>10 秒戻す	−</translation>
    </message>
    <message>
        <source>Leave without them</source>
        <translation>書き込まずに終了</translation>
    </message>
    <message>
        <source>Message to speaker…</source>
        <translation>発表者へのメッセージ…</translation>
    </message>
    <message>
        <source>The log line of one talk could not be written.</source>
        <translation>1 件の発表の記録を書き込めませんでした。</translation>
    </message>
    <message>
        <source>The log lines of %1 talks could not be written.</source>
        <translation>%1 件の発表の記録を書き込めませんでした。</translation>
    </message>
</context>
<context>
    <name>Form3</name>
    <message>
        <source>Nothing was changed: the count must be 91 or more.</source>
        <translation>補正しませんでした。値は 91 以上にしてください。</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Orlatim help</source>
        <translation>Orlatim ヘルプ</translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation>&lt; 戻る</translation>
    </message>
    <message>
        <source>Forward &gt;</source>
        <translation>進む &gt;</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>目次</translation>
    </message>
    <message>
        <source>The help file &quot;%1&quot; was not found.</source>
        <translation>ヘルプファイル「%1」が見つかりません。</translation>
    </message>
    <message>
        <source>The help file &quot;%1&quot; cannot be shown: it is damaged or not a help file.</source>
        <translation>ヘルプファイル「%1」を表示できません。壊れているか、ヘルプファイルではありません。</translation>
    </message>
</context>
<context>
    <name>ImportCommand</name>
    <message>
        <source>--day needs a date such as 2026-03-14.</source>
        <translation>--day には 2026-03-14 のような日付を指定してください。</translation>
    </message>
    <message>
        <source>--discussion needs a number of minutes from 0 to 120.</source>
        <translation>--discussion には 0 から 120 までの分数を指定してください。</translation>
    </message>
    <message>
        <source>Choose with --day and --room; each day and room with its number of talks:</source>
        <translation>--day と --room で選んでください。日と会場ごとの発表数は次のとおりです:</translation>
    </message>
    <message>
        <source>%1 now holds these talks of %2:</source>
        <translation>%1 に %2 の次の発表を書き込みました:</translation>
    </message>
    <message>
        <source>%1  %2 + %3 min  %4</source>
        <translation>%1  %2 + %3 分  %4</translation>
    </message>
    <message>
        <source>Make FILE (a pretalx or frab schedule, an Indico or
Sessionize export, an iCalendar file or a CSV) the
programme of the working folder, print its talks,
and exit.</source>
        <translation>FILE (pretalx や frab のスケジュール、Indico や
Sessionize の書き出し、iCalendar ファイル、CSV) を
作業フォルダーのプログラムにし、その発表を表示して
終了します。</translation>
    </message>
    <message>
        <source>With --import: the day to take, when the file
holds several.</source>
        <translation>--import とともに: ファイルに複数の日があるときに
取り込む日。</translation>
    </message>
    <message>
        <source>With --import: each talk&apos;s discussion in minutes;
by default the file&apos;s own, or a fifth of the slot.</source>
        <translation>--import とともに: 各発表の討論時間 (分)。指定しなければ
ファイルの討論時間、それもなければ持ち時間の 5 分の 1。</translation>
    </message>
    <message>
        <source>With --import: the room to take, when the day has
several. With --broker: the room&apos;s name on the
conference board.</source>
        <translation>--import とともに: その日に複数の会場があるときに
取り込む会場。--broker とともに: 会議ボードでの
会場名。</translation>
    </message>
    <message>
        <source>--day and --discussion go with --import FILE.</source>
        <translation>--day、--discussion は --import FILE とともに指定してください。</translation>
    </message>
    <message>
        <source>--room goes with --import FILE or --broker URL.</source>
        <translation>--room は --import FILE または --broker URL とともに指定してください。</translation>
    </message>
</context>
<context>
    <name>MakersPage</name>
    <message>
        <source>No web browser could be started. The maker&apos;s page is at %1</source>
        <translation>Webブラウザーを起動できませんでした。作者のページは %1 にあります。</translation>
    </message>
</context>
<context>
    <name>Programme</name>
    <message>
        <source>the file is too large for a programme</source>
        <translation>プログラムのファイルとしては大きすぎます</translation>
    </message>
    <message numerus="yes">
        <source>… and %n more lines that could not be read.</source>
        <translation>
            <numerusform>… ほかに読めなかった行が %n 行あります。</numerusform>
        </translation>
    </message>
    <message>
        <source>the file holds no talk</source>
        <translation>発表が 1 件もありません</translation>
    </message>
    <message>
        <source>title, speaker, presentation and discussion are needed</source>
        <translation>演題、発表者、口演時間、討論時間が必要です</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time in minutes (12, 12.5) or minutes and seconds (12:30)</source>
        <translation>「%1」は分 (12、12.5) または分:秒 (12:30) で書かれた時間ではありません</translation>
    </message>
    <message>
        <source>the presentation time is 0</source>
        <translation>口演時間が 0 です</translation>
    </message>
    <message>
        <source>presentation and discussion come to 546 minutes or more, longer than the clock can time</source>
        <translation>口演時間と討論時間の合計が 546 分以上あり、計れる長さを超えています</translation>
    </message>
    <message>
        <source>the file is neither UTF-8 nor Shift_JIS (code page 932) text</source>
        <translation>UTF-8 としても Shift_JIS (コードページ 932) としても読めないファイルです</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>%1 行目: %2</translation>
    </message>
    <message>
        <source>%1; the talk&apos;s line is kept and written with the next one.</source>
        <translation>%1。この発表の行は残しておき、次に記録を書くときに一緒に書き込みます。</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>ディスクがいっぱいです</translation>
    </message>
    <message>
        <source>on time</source>
        <translation>定刻どおり</translation>
    </message>
    <message>
        <source>neither a presentation time nor a slot is given</source>
        <translation>口演時間も持ち時間もありません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time of day (9:30 or 9:30:00)</source>
        <translation>「%1」は時刻 (9:30 または 9:30:00) ではありません</translation>
    </message>
    <message>
        <source>the slot is shorter than the presentation</source>
        <translation>持ち時間が口演時間より短くなっています</translation>
    </message>
    <message>
        <source>the discussion leaves no time of the slot for the presentation</source>
        <translation>討論時間で持ち時間がなくなり、口演時間が残りません</translation>
    </message>
    <message>
        <source>its quotes do not pair up: a quoted field ends with a quote before the comma, and a quote inside it is written twice (&quot;&quot;)</source>
        <translation>引用符 (&quot;) が対になっていません。引用符で囲んだ項目はコンマの前の引用符で終わり、中の引用符は 2 つ重ねて (&quot;&quot;) 書きます</translation>
    </message>
    <message>
        <source>the line holds bytes that are not UTF-8 text</source>
        <translation>UTF-8 の文字として読めないバイトがあります</translation>
    </message>
    <message>
        <source>%1:%2</source>
        <comment>minutes:seconds</comment>
        <translation>%1分%2秒</translation>
    </message>
    <message>
        <source>%1:%2:%3</source>
        <comment>hours:minutes:seconds</comment>
        <translation>%1時間%2分%3秒</translation>
    </message>
    <message>
        <source>%1 late</source>
        <translation>%1 遅れ</translation>
    </message>
    <message>
        <source>%1 early</source>
        <translation>%1 進み</translation>
    </message>
</context>
<context>
    <name>RemoteView</name>
    <message>
        <source>Port %1 cannot be opened: %2</source>
        <translation>ポート %1 を開けません: %2</translation>
    </message>
</context>
<context>
    <name>ScheduleImport</name>
    <message>
        <source>the length is negative: the end comes before the start</source>
        <translation>終了が開始より前になっていて、長さが負です</translation>
    </message>
    <message>
        <source>the length is longer than 24 hours</source>
        <translation>長さが 24 時間を超えています</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date and time</source>
        <translation>「%1」は日時ではありません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time of day</source>
        <translation>「%1」は時刻ではありません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a length (hours:minutes)</source>
        <translation>「%1」は長さ (時:分) ではありません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date</source>
        <translation>「%1」は日付ではありません</translation>
    </message>
    <message>
        <source>line %1, column %2</source>
        <translation>%1 行 %2 列目</translation>
    </message>
    <message>
        <source>the event has no &lt;%1&gt;</source>
        <translation>イベントに &lt;%1&gt; がありません</translation>
    </message>
    <message>
        <source>the event has no date</source>
        <translation>イベントに日付がありません</translation>
    </message>
    <message>
        <source>the file declares entities of its own, which are not read</source>
        <translation>ファイルが独自の実体 (ENTITY) を宣言しています。このようなファイルは読み込みません</translation>
    </message>
    <message>
        <source>the file is XML but not a schedule (its first element is &lt;%1&gt;)</source>
        <translation>XML ファイルですがタイムテーブル (schedule) ではありません (最初の要素は &lt;%1&gt; です)</translation>
    </message>
    <message>
        <source>the event has no start (DTSTART)</source>
        <translation>イベントに開始 (DTSTART) がありません</translation>
    </message>
    <message>
        <source>the event&apos;s start (DTSTART) is not a date and time</source>
        <translation>イベントの開始 (DTSTART) が日時ではありません</translation>
    </message>
    <message>
        <source>the event&apos;s end (DTEND) is not a date and time</source>
        <translation>イベントの終了 (DTEND) が日時ではありません</translation>
    </message>
    <message>
        <source>the event has neither an end (DTEND) nor a length (DURATION)</source>
        <translation>イベントに終了 (DTEND) も長さ (DURATION) もありません</translation>
    </message>
    <message>
        <source>the event has no title (SUMMARY)</source>
        <translation>イベントに題名 (SUMMARY) がありません</translation>
    </message>
    <message>
        <source>the file holds no calendar (BEGIN:VCALENDAR)</source>
        <translation>ファイルにカレンダー (BEGIN:VCALENDAR) がありません</translation>
    </message>
    <message>
        <source>the event on line %1</source>
        <translation>%1 行目のイベント</translation>
    </message>
    <message>
        <source>event %1</source>
        <translation>%1 番目のイベント</translation>
    </message>
    <message>
        <source>the JSON file does not hold an object at its top</source>
        <translation>JSON ファイルの最上位がオブジェクトではありません</translation>
    </message>
    <message>
        <source>this field is missing</source>
        <translation>この項目がありません</translation>
    </message>
    <message>
        <source>an object ({…}) is expected here</source>
        <translation>ここにはオブジェクト ({…}) が必要です</translation>
    </message>
    <message>
        <source>a list ([…]) is expected here</source>
        <translation>ここにはリスト ([…]) が必要です</translation>
    </message>
    <message>
        <source>a text is expected here</source>
        <translation>ここには文字列が必要です</translation>
    </message>
    <message>
        <source>a number is expected here</source>
        <translation>ここには数値が必要です</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>the file is larger than 5 MiB</source>
        <translation>ファイルが 5 MiB を超えています</translation>
    </message>
    <message>
        <source>%1, %2: %3</source>
        <translation>%1、%2: %3</translation>
    </message>
    <message>
        <source>the file is none of the timetables that can be read (pretalx or frab XML or JSON, Indico JSON, Sessionize JSON, iCalendar)</source>
        <translation>読み込めるタイムテーブルの形式 (pretalx または frab の XML か JSON、Indico の JSON、Sessionize の JSON、iCalendar) のいずれでもありません</translation>
    </message>
    <message>
        <source>no speaker in the file has the id &quot;%1&quot;</source>
        <translation>ID が「%1」の発表者がファイルにありません</translation>
    </message>
    <message>
        <source>the calendar is broken or cut short (BEGIN:VCALENDAR … END:VCALENDAR)</source>
        <translation>カレンダーが壊れているか途中で切れています (BEGIN:VCALENDAR … END:VCALENDAR)</translation>
    </message>
    <message>
        <source>the file holds no talk</source>
        <translation>ファイルに発表が 1 件もありません</translation>
    </message>
    <message>
        <source>talk %1 (&quot;%2&quot;) starts at %3, before the talk above it (%4)</source>
        <translation>%1 番目の発表 (「%2」) の開始 %3 が、前の発表の開始 (%4) より前になっています</translation>
    </message>
    <message>
        <source>(no date)</source>
        <translation>(日付なし)</translation>
    </message>
    <message>
        <source>(no room)</source>
        <translation>(会場なし)</translation>
    </message>
    <message>
        <source>%1: a slot of %2 minutes cannot be timed</source>
        <translation>%1: %2 分の持ち時間は計れません</translation>
    </message>
    <message>
        <source>%1: a discussion of %2 leaves no presentation in a slot of %3 minutes</source>
        <translation>%1: 討論時間 %2 では、%3 分の持ち時間に口演時間が残りません</translation>
    </message>
    <message>
        <source>%1: longer than the clock can time (545 minutes)</source>
        <translation>%1: 計れる長さ (545 分) を超えています</translation>
    </message>
    <message>
        <source>the file holds no talk on %1</source>
        <translation>%1 の発表はファイルにありません</translation>
    </message>
    <message>
        <source>the file holds talks on several days; choose one</source>
        <translation>ファイルに複数の日の発表があります。日を選んでください</translation>
    </message>
    <message>
        <source>the file holds no talk in %1 on %2</source>
        <translation>%2 の %1 の発表はファイルにありません</translation>
    </message>
    <message>
        <source>the file holds talks in several rooms on %1; choose one</source>
        <translation>%1 には複数の会場の発表があります。会場を選んでください</translation>
    </message>
    <message>
        <source>no complete answer within %1 seconds</source>
        <translation>%1 秒以内に応答が完了しませんでした</translation>
    </message>
    <message>
        <source>%1: only an https address (https://…) can be fetched</source>
        <translation>%1: 取得できるのは https のアドレス (https://…) だけです</translation>
    </message>
    <message>
        <source>the server sends on to %1, which is not https</source>
        <translation>サーバーが https ではない %1 へ転送しようとしました</translation>
    </message>
    <message>
        <source>the server answers %1 %2</source>
        <translation>サーバーの応答は %1 %2 でした</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>the file is not valid Shift_JIS (code page 932) text</source>
        <translation>Shift_JIS (コードページ 932) のテキストとして読めません</translation>
    </message>
    <message>
        <source>line %1: &quot;%2&quot; is not a number</source>
        <translation>%1 行目: 「%2」は数値ではありません</translation>
    </message>
    <message>
        <source>line %1: %2 is outside -32768..32767</source>
        <translation>%1 行目: %2 は -32768～32767 の範囲外です</translation>
    </message>
    <message>
        <source>the file holds %1 of the 15 numbers</source>
        <translation>15 個の数値のうち %1 個しかありません</translation>
    </message>
    <message>
        <source>the file has %1 lines, 14 are needed</source>
        <translation>%1 行しかありません (14 行必要です)</translation>
    </message>
    <message>
        <source>presentation + discussion = %1 seconds, the limit is 32759</source>
        <translation>口演時間 + 討論時間 = %1 秒で、上限の 32759 秒を超えています</translation>
    </message>
    <message>
        <source>presentation + discussion + music start = %1 seconds, the limit is 32767</source>
        <translation>口演時間 + 討論時間 + 音楽開始時間 = %1 秒で、上限の 32767 秒を超えています</translation>
    </message>
    <message>
        <source>blink time %1 does not fit the talk</source>
        <translation>点滅時間 %1 秒が発表の長さに収まりません</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>the file is read-only</source>
        <translation>読み取り専用のファイルです</translation>
    </message>
    <message>
        <source>%1; the default settings are used.</source>
        <translation>%1。既定の設定を使います。</translation>
    </message>
    <message>
        <source>%1; the default settings are used. &quot;exit&quot; keeps the old file as %2.</source>
        <translation>%1。既定の設定を使います。「exit」で終了するとき、元のファイルを %2 として残します。</translation>
    </message>
    <message>
        <source>%1 holds no usable tick count; 18000 is used, and the old file is kept as %2.</source>
        <translation>%1 に使える時間補正値がありません。18000 を使い、元のファイルは %2 として残しました。</translation>
    </message>
    <message>
        <source>%1 holds no usable tick count; 18000 is used.</source>
        <translation>%1 に使える時間補正値がありません。18000 を使います。</translation>
    </message>
    <message>
        <source>%1; the unusable %2 could not be kept, so it is not replaced</source>
        <translation>%1。使えない %2 を残せなかったため、置き換えていません</translation>
    </message>
</context>
<context>
    <name>SpeakerMessages</name>
    <message>
        <source>1 minute left</source>
        <translation>あと1分です</translation>
    </message>
    <message>
        <source>Please wrap up</source>
        <translation>まとめに入ってください</translation>
    </message>
    <message>
        <source>Time for questions</source>
        <translation>質疑に移ってください</translation>
    </message>
    <message>
        <source>Please use the microphone</source>
        <translation>マイクをお使いください</translation>
    </message>
    <message>
        <source>Please speak louder</source>
        <translation>もう少し大きな声でお願いします</translation>
    </message>
</context>
<context>
    <name>board::BoardPart</name>
    <message>
        <source>conference board</source>
        <translation>会議ボード</translation>
    </message>
    <message>
        <source>publish this room&apos;s talk</source>
        <translation>この会場の発表を送る</translation>
    </message>
    <message>
        <source>The conference&apos;s MQTT broker and its topic prefix: mqtt://[user@]host[:port]/prefix, or mqtts://… for TLS.</source>
        <translation>会議の MQTT ブローカーとトピック接頭辞: mqtt://[user@]host[:port]/prefix、TLS なら mqtts://…</translation>
    </message>
    <message>
        <source>Room 2</source>
        <translation>第2会場</translation>
    </message>
    <message>
        <source>the system&apos;s</source>
        <translation>システムのもの</translation>
    </message>
    <message>
        <source>With mqtts://: a file of the certificate authorities to trust instead of the system&apos;s.</source>
        <translation>mqtts:// のとき: システムの認証局の代わりに信頼する認証局証明書のファイル。</translation>
    </message>
    <message>
        <source>broker</source>
        <translation>ブローカー</translation>
    </message>
    <message>
        <source>room</source>
        <translation>会場</translation>
    </message>
    <message>
        <source>user</source>
        <translation>ユーザー</translation>
    </message>
    <message>
        <source>password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>CA file</source>
        <translation>CA ファイル</translation>
    </message>
</context>
<context>
    <name>board::BoardService</name>
    <message>
        <source>Port %1 cannot be opened: %2</source>
        <translation>ポート %1 を開けません: %2</translation>
    </message>
</context>
<context>
    <name>board::MqttClient</name>
    <message>
        <source>off</source>
        <translation>オフ</translation>
    </message>
</context>
<context>
    <name>board::MqttConnection</name>
    <message>
        <source>The MQTT library could not make a client.</source>
        <translation>MQTT ライブラリーがクライアントを作れませんでした。</translation>
    </message>
    <message>
        <source>The certificate authorities&apos; file cannot be read: %1</source>
        <translation>認証局証明書のファイルを読めません: %1</translation>
    </message>
    <message>
        <source>The last will cannot be set: %1</source>
        <translation>Last Will を設定できません: %1</translation>
    </message>
    <message>
        <source>connecting to %1</source>
        <translation>%1 に接続中</translation>
    </message>
    <message>
        <source>%1 refused: %2; trying again in %3 s</source>
        <translation>%1 が接続を拒否しました: %2。%3 秒後に再試行します</translation>
    </message>
    <message>
        <source>no connection to %1 (%2); trying again in %3 s</source>
        <translation>%1 に接続できません (%2)。%3 秒後に再試行します</translation>
    </message>
    <message>
        <source>connected to %1</source>
        <translation>%1 に接続しました</translation>
    </message>
</context>
<context>
    <name>board::RoomPublisher</name>
    <message>
        <source>off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>The room needs a name for the conference board.</source>
        <translation>会議ボード用の会場名を入力してください。</translation>
    </message>
</context>
<context>
    <name>platform::SoundMessages</name>
    <message>
        <source>no file is named.</source>
        <translation>ファイル名がありません。</translation>
    </message>
    <message>
        <source>the file is not there.</source>
        <translation>ファイルが見つかりません。</translation>
    </message>
    <message>
        <source>the file cannot be read.</source>
        <translation>ファイルを読めません。</translation>
    </message>
    <message>
        <source>it is not a sound file.</source>
        <translation>音声ファイルではありません。</translation>
    </message>
    <message>
        <source>the file is too large.</source>
        <translation>ファイルが大きすぎます。</translation>
    </message>
    <message>
        <source>MIDI needs a General MIDI SoundFont (timgm6mb-soundfont).</source>
        <translation>MIDI の再生には General MIDI の SoundFont (timgm6mb-soundfont) が必要です。</translation>
    </message>
    <message>
        <source>The music &quot;%1&quot; will stay silent: %2</source>
        <translation>音楽「%1」は鳴りません: %2</translation>
    </message>
    <message>
        <source>Bell %1 &quot;%2&quot; will stay silent: %3</source>
        <translation>%1鈴「%2」は鳴りません: %3</translation>
    </message>
</context>
<context>
    <name>programme::ProgrammeWindow</name>
    <message>
        <source>Programme</source>
        <translation>プログラム</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>演題</translation>
    </message>
    <message>
        <source>Speaker</source>
        <translation>発表者</translation>
    </message>
    <message>
        <source>Presentation</source>
        <translation>口演</translation>
    </message>
    <message>
        <source>Discussion</source>
        <translation>討論</translation>
    </message>
    <message>
        <source>Bell 1</source>
        <translation>１鈴</translation>
    </message>
    <message>
        <source>import…</source>
        <translation>読み込み…</translation>
    </message>
    <message>
        <source>previous</source>
        <translation>前へ</translation>
    </message>
    <message>
        <source>next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <source>Import a programme</source>
        <translation>プログラムの読み込み</translation>
    </message>
    <message>
        <source>Another talk can be taken after &quot;reset&quot;.</source>
        <translation>別の発表に移れるのは「reset」の後です。</translation>
    </message>
    <message>
        <source>No programme: put %1 in the working folder, or import one.</source>
        <translation>プログラムがありません。作業フォルダーに %1 を置くか、読み込んでください。</translation>
    </message>
    <message>
        <source>Planned start %1: in %2</source>
        <translation>開始予定 %1 (あと %2)</translation>
    </message>
    <message>
        <source>Planned start %1: %2</source>
        <translation>開始予定 %1 (%2)</translation>
    </message>
    <message>
        <source>The session: %1; projected end %2</source>
        <translation>セッション: %1、終了見込み %2</translation>
    </message>
    <message>
        <source>The session: projected end %1</source>
        <translation>セッション: 終了見込み %1</translation>
    </message>
    <message>
        <source>Planned</source>
        <translation>予定</translation>
    </message>
    <message>
        <source>Expected</source>
        <translation>見込み</translation>
    </message>
    <message>
        <source>Changeover:</source>
        <translation>入れ替え時間:</translation>
    </message>
    <message>
        <source> s</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>report…</source>
        <translation>レポート…</translation>
    </message>
    <message>
        <source>import from address…</source>
        <translation>アドレスから読み込み…</translation>
    </message>
    <message>
        <source>Timetables and programmes (*.csv *.xml *.json *.ics);;All files (*)</source>
        <translation>タイムテーブルとプログラム (*.csv *.xml *.json *.ics);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Import from address</source>
        <translation>アドレスから読み込み</translation>
    </message>
    <message>
        <source>The https address of a published timetable:</source>
        <translation>公開されているタイムテーブルの https アドレス:</translation>
    </message>
</context>
<context>
    <name>remote::MessageWindow</name>
    <message>
        <source>Message to speaker</source>
        <translation>発表者へのメッセージ</translation>
    </message>
    <message>
        <source>Presets (keys 1–9 in the main window send the first nine):</source>
        <translation>定型メッセージ (メイン画面のキー 1～9 で先頭の 9 件を送れます):</translation>
    </message>
    <message>
        <source>add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>a preset, or your own text</source>
        <translation>定型メッセージ、または自由な文</translation>
    </message>
    <message>
        <source>send</source>
        <translation>送信</translation>
    </message>
    <message>
        <source>clear</source>
        <translation>消去</translation>
    </message>
    <message>
        <source>close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>new message</source>
        <translation>新しいメッセージ</translation>
    </message>
    <message>
        <source>No message is shown.</source>
        <translation>表示中のメッセージはありません。</translation>
    </message>
    <message>
        <source>Shown now: %1</source>
        <translation>表示中: %1</translation>
    </message>
</context>
<context>
    <name>remote::RemoteWindow</name>
    <message>
        <source>Remote view</source>
        <translation>リモート表示</translation>
    </message>
    <message>
        <source>remote view on</source>
        <translation>リモート表示を使う</translation>
    </message>
    <message>
        <source>port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <source>view link</source>
        <translation>表示用リンク</translation>
    </message>
    <message>
        <source>Shows the running talk.</source>
        <translation>計時中の発表を表示します。</translation>
    </message>
    <message>
        <source>allow control</source>
        <translation>操作を許可</translation>
    </message>
    <message>
        <source>control link</source>
        <translation>操作用リンク</translation>
    </message>
    <message>
        <source>Shows the talk with the buttons &quot;start&quot;, &quot;pause&quot;, &quot;contn.&quot; and &quot;reset&quot;; they work only while &quot;allow control&quot; is ticked.</source>
        <translation>発表の表示に「start」「pause」「contn.」「reset」のボタンが付きます。ボタンは「操作を許可」にチェックがあるときだけ働きます。</translation>
    </message>
    <message>
        <source>new links</source>
        <translation>新しいリンク</translation>
    </message>
    <message>
        <source>close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>viewers connected: %1</source>
        <translation>接続中の閲覧者: %1</translation>
    </message>
    <message>
        <source>The address of this computer that the links name: that of the network the phones are on.</source>
        <translation>リンクに使うこのコンピューターのアドレスです。スマートフォンがつながっているネットワークのものを選んでください。</translation>
    </message>
    <message>
        <source>address</source>
        <translation>アドレス</translation>
    </message>
    <message>
        <source>copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Copies the link, to send it to a phone without showing it.</source>
        <translation>リンクをコピーします。画面に出さずにスマートフォンへ送れます。</translation>
    </message>
    <message>
        <source>hide</source>
        <translation>隠す</translation>
    </message>
    <message>
        <source>show</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>hidden: press &quot;show&quot; to see it</source>
        <translation>非表示: 見るには「表示」を押してください</translation>
    </message>
    <message>
        <source>hidden</source>
        <translation>非表示</translation>
    </message>
    <message>
        <source>chair link</source>
        <translation>座長用リンク</translation>
    </message>
    <message>
        <source>Shows the talk smaller, with the clock, how late or early the session runs, when it will end and the talks to come.</source>
        <translation>発表を小さく表示し、時刻、セッションの遅れ・進み、終了見込み時刻、この後の発表を示します。</translation>
    </message>
    <message>
        <source>Makes every link anew; every open page is dropped.</source>
        <translation>すべてのリンクを作り直します。開いているページはすべて切断されます。</translation>
    </message>
</context>
<context>
    <name>report::ReportWindow</name>
    <message>
        <source>building…</source>
        <translation>作成中…</translation>
    </message>
    <message>
        <source>saving…</source>
        <translation>保存中…</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>レポート</translation>
    </message>
    <message>
        <source>save…</source>
        <translation>保存…</translation>
    </message>
    <message>
        <source>Save the report</source>
        <translation>レポートの保存</translation>
    </message>
    <message>
        <source>PDF (*.pdf);;Web page (*.html)</source>
        <translation>PDF (*.pdf);;ウェブページ (*.html)</translation>
    </message>
    <message>
        <source>Saved as %1.</source>
        <translation>%1 に保存しました。</translation>
    </message>
</context>
<context>
    <name>report::Words</name>
    <message>
        <source>%n talk from %1 to %2</source>
        <translation>発表 %n 件、%1 から %2 まで</translation>
    </message>
    <message>
        <source>%n talk of 0:00 (started by mistake) is listed but left out of the totals.</source>
        <translation>0:00 の発表 %n 件 (誤って開始したもの) は一覧にありますが、合計には入れていません。</translation>
    </message>
    <message numerus="yes">
        <source>%n talks of 0:00 (started by mistake) are listed but left out of the totals.</source>
        <translation>
            <numerusform>0:00 の発表 %n 件 (誤って開始したもの) は一覧にありますが、合計には入れていません。</numerusform>
        </translation>
    </message>
    <message>
        <source>The log is longer than %1 MiB: this report holds only the talks in its first %1 MiB.</source>
        <translation>記録が %1 MiB より長いため、このレポートには最初の %1 MiB にある発表だけを載せています。</translation>
    </message>
    <message>
        <source>minutes late</source>
        <translation>遅れ (分)</translation>
    </message>
    <message>
        <source>talk</source>
        <translation>発表</translation>
    </message>
    <message>
        <source>below 0: early</source>
        <translation>0 より下は早い</translation>
    </message>
    <message>
        <source>%n line of the log was left out:</source>
        <translation>記録の %n 行を読み飛ばしました:</translation>
    </message>
    <message>
        <source>%1: the report of %2, %n talk.</source>
        <translation>%1: %2 のレポート、発表 %n 件。</translation>
    </message>
    <message>
        <source>a quoted field is not closed</source>
        <translation>引用符で始まる欄が閉じていません</translation>
    </message>
    <message>
        <source>no %1</source>
        <translation>%1 がありません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid %2</source>
        <translation>「%1」は %2 として読めません</translation>
    </message>
    <message>
        <source>the file is neither UTF-8 nor Shift_JIS (code page 932) text</source>
        <translation>UTF-8 としても Shift_JIS (コードページ 932) としても読めません</translation>
    </message>
    <message>
        <source>line %1: the header has no column %2</source>
        <translation>%1 行目: 見出しに %2 の列がありません</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>%1 行目: %2</translation>
    </message>
    <message>
        <source>Session report, %1</source>
        <translation>セッションのレポート %1</translation>
    </message>
    <message>
        <source>No talk of this day in the log.</source>
        <translation>この日の発表は記録にありません。</translation>
    </message>
    <message numerus="yes">
        <source>%n talks from %1 to %2</source>
        <translation>
            <numerusform>発表 %n 件、%1 から %2 まで</numerusform>
        </translation>
    </message>
    <message>
        <source>Talks</source>
        <translation>発表数</translation>
    </message>
    <message>
        <source>Talks over time</source>
        <translation>時間を超えた発表</translation>
    </message>
    <message>
        <source>Total overtime</source>
        <translation>超過時間の合計</translation>
    </message>
    <message>
        <source>Median overtime of the talks over</source>
        <translation>超えた発表の超過時間の中央値</translation>
    </message>
    <message>
        <source>Longest overtime</source>
        <translation>最長の超過</translation>
    </message>
    <message>
        <source>Total paused time</source>
        <translation>一時停止の合計</translation>
    </message>
    <message>
        <source>Drift of the session (minutes late)</source>
        <translation>セッションの遅れ (分)</translation>
    </message>
    <message>
        <source>from the planned starts in the log</source>
        <translation>記録の予定開始時刻から</translation>
    </message>
    <message>
        <source>the log has no planned starts: the overtime summed talk by talk</source>
        <translation>記録に予定開始時刻がないため、超過時間を発表ごとに積み上げています</translation>
    </message>
    <message>
        <source>planned end %1, actual end %2 (%3)</source>
        <translation>予定終了 %1、実際の終了 %2 (%3)</translation>
    </message>
    <message numerus="yes">
        <source>%n lines of the log were left out:</source>
        <translation>
            <numerusform>記録の %n 行を読み飛ばしました:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>ほか %n 件</numerusform>
        </translation>
    </message>
    <message>
        <source>No.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>演題</translation>
    </message>
    <message>
        <source>Speaker</source>
        <translation>発表者</translation>
    </message>
    <message>
        <source>planned</source>
        <translation>予定</translation>
    </message>
    <message>
        <source>taken</source>
        <translation>実際</translation>
    </message>
    <message>
        <source>over</source>
        <translation>超過</translation>
    </message>
    <message>
        <source>pauses</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <source>presentation</source>
        <translation>口演</translation>
    </message>
    <message>
        <source>discussion</source>
        <translation>討論</translation>
    </message>
    <message>
        <source>time taken</source>
        <translation>実際の時間</translation>
    </message>
    <message>
        <source>past bell 3</source>
        <translation>３鈴の後</translation>
    </message>
    <message>
        <source>min</source>
        <translation>分</translation>
    </message>
    <message>
        <source>end</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Totals</source>
        <translation>集計</translation>
    </message>
    <message>
        <source>Write the report of a session from the talk log to FILE (.html or .pdf) and exit.</source>
        <translation>発表の記録からセッションのレポートを FILE (.html または
.pdf) に書き出して終了します。</translation>
    </message>
    <message>
        <source>With --report: the talk log to read (default: %1).</source>
        <translation>--report とともに: 読む発表の記録 (既定: %1)。</translation>
    </message>
    <message>
        <source>With --report: the day of the session, YYYY-MM-DD (default: the latest); once per report.</source>
        <translation>--report とともに: セッションの日付 YYYY-MM-DD (既定: 最新の
日付)。レポート 1 つにつき 1 回指定します。</translation>
    </message>
    <message>
        <source>With --report: only the talks started at HH:MM or later.</source>
        <translation>--report とともに: HH:MM 以後に始まった発表だけ。</translation>
    </message>
    <message>
        <source>With --report: only the talks started at HH:MM or earlier.</source>
        <translation>--report とともに: HH:MM 以前に始まった発表だけ。</translation>
    </message>
    <message>
        <source>--%1 goes with --report.</source>
        <translation>--%1 は --report とともに指定してください。</translation>
    </message>
    <message>
        <source>--report needs a file name ending in .html or .pdf.</source>
        <translation>--report には .html または .pdf で終わるファイル名が必要です。</translation>
    </message>
    <message>
        <source>--date needs a date as YYYY-MM-DD, not &quot;%1&quot;.</source>
        <translation>--date には YYYY-MM-DD の形の日付が必要です (「%1」は使えません)。</translation>
    </message>
    <message>
        <source>--%1 needs a time as HH:MM, not &quot;%2&quot;.</source>
        <translation>--%1 には HH:MM の形の時刻が必要です (「%2」は使えません)。</translation>
    </message>
    <message>
        <source>%1: the log holds no talk.</source>
        <translation>%1: 記録に発表がありません。</translation>
    </message>
    <message>
        <source>%1: no line of the log can be read (%2).</source>
        <translation>%1: 記録の行がどれも読めません (%2)。</translation>
    </message>
    <message>
        <source>%1: no talk of %2 in the log.</source>
        <translation>%1: %2 の発表は記録にありません。</translation>
    </message>
    <message numerus="yes">
        <source>%1: the report of %2, %n talks.</source>
        <translation>
            <numerusform>%1: %2 のレポート、発表 %n 件。</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: there is no talk log yet. It is written when a talk is reset and when Orlatim ends.</source>
        <translation>%1: 発表の記録はまだありません。「reset」を押したときと Orlatim を終了したときに書き込まれます。</translation>
    </message>
</context>
<context>
    <name>schedule_import::ImportDialog</name>
    <message>
        <source>Import a programme</source>
        <translation>プログラムの読み込み</translation>
    </message>
    <message>
        <source>as the file splits each slot, else a fifth (20 %) for discussion</source>
        <translation>ファイルにある口演と討論の配分。なければ持ち時間の 5 分の 1 (20 %) を討論に</translation>
    </message>
    <message>
        <source>a fixed discussion of</source>
        <translation>討論時間を一律に</translation>
    </message>
    <message>
        <source> min</source>
        <translation> 分</translation>
    </message>
    <message>
        <source>File:</source>
        <translation>ファイル:</translation>
    </message>
    <message>
        <source>Day (talks):</source>
        <translation>日 (発表数):</translation>
    </message>
    <message>
        <source>Room (talks):</source>
        <translation>会場 (発表数):</translation>
    </message>
    <message>
        <source>Discussion:</source>
        <translation>討論:</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>Presentation</source>
        <translation>口演</translation>
    </message>
    <message>
        <source>Discussion</source>
        <translation>討論</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>演題</translation>
    </message>
    <message>
        <source>Speaker</source>
        <translation>発表者</translation>
    </message>
    <message>
        <source>import</source>
        <translation>読み込む</translation>
    </message>
    <message>
        <source>(no room)</source>
        <translation>(会場なし)</translation>
    </message>
    <message>
        <source>These talks replace the programme, which starts at the first of them.</source>
        <translation>これらの発表で今のプログラムを置き換え、最初の発表から始めます。</translation>
    </message>
    <message>
        <source>(no date)</source>
        <translation>(日付なし)</translation>
    </message>
</context>
<context>
    <name>schedule_import::ImportFlow</name>
    <message>
        <source>Fetching %1 …</source>
        <translation>%1 を取得しています…</translation>
    </message>
</context>
<context>
    <name>stage::Stage</name>
    <message>
        <source>Stage window</source>
        <translation>ステージ表示</translation>
    </message>
    <message>
        <source>off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>%1 (%2×%3)</source>
        <translation>%1 (%2×%3)</translation>
    </message>
    <message>
        <source>%1: the only screen</source>
        <translation>%1:ほかに画面がありません</translation>
    </message>
    <message>
        <source>There is only one screen: the stage window stays closed.</source>
        <translation>画面が一つしかないため、ステージ表示は開きません。</translation>
    </message>
    <message>
        <source>There is no screen %1: this computer has %2.</source>
        <translation>画面 %1 はありません。このコンピューターの画面は %2 台です。</translation>
    </message>
</context>
<context>
    <name>stage::StageWindow</name>
    <message>
        <source>next:</source>
        <translation>次:</translation>
    </message>
</context>
</TS>
