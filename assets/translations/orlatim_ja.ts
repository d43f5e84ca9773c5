<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ClockFile</name>
    <message>
        <source>%1 holds the clock correction %2, more than 2 % away from 18000: talks will run %3 % fast, a 10-minute talk ending after %4 min %5 s. &quot;時間補正&quot; in the settings window measures the clock again.</source>
        <translation>%1 の時間補正値 %2 は 18000 から 2 % を超えて離れています。口演の計時は %3 % 速く進み、10分の口演は実時間 %4 分 %5 秒で終わります。設定ウィンドウの「時間補正」で計り直せます。</translation>
    </message>
    <message>
        <source>%1 holds the clock correction %2, more than 2 % away from 18000: talks will run %3 % slow, a 10-minute talk ending after %4 min %5 s. &quot;時間補正&quot; in the settings window measures the clock again.</source>
        <translation>%1 の時間補正値 %2 は 18000 から 2 % を超えて離れています。口演の計時は %3 % 遅く進み、10分の口演は実時間 %4 分 %5 秒で終わります。設定ウィンドウの「時間補正」で計り直せます。</translation>
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
        <source>Usage: %1 [options]</source>
        <translation>使い方: %1 [オプション]</translation>
    </message>
    <message>
        <source>Unexpected argument &quot;%1&quot;.</source>
        <translation>引数「%1」は使えません。</translation>
    </message>
    <message>
        <source>Serve the remote view on PORT from the start and print its
view and control links.</source>
        <translation>起動と同時に PORT でリモート表示を始め、
表示用と操作用のリンクを表示します。</translation>
    </message>
    <message>
        <source>--remote-port needs a port number from 1 to 65535.</source>
        <translation>--remote-port には 1 から 65535 までのポート番号を指定してください。</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>The settings were not saved.</source>
        <translation>設定は保存されていません。</translation>
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
</context>
<context>
    <name>Form3</name>
    <message>
        <source>Nothing was changed: the count must be 91 or more.</source>
        <translation>補正していません。値は 91 以上にしてください。</translation>
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
        <source>--day, --room and --discussion go with --import FILE.</source>
        <translation>--day、--room、--discussion は --import FILE とともに指定してください。</translation>
    </message>
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
        <source>With --import: the room to take, when the day has
several.</source>
        <translation>--import とともに: その日に複数の会場があるときに
取り込む会場。</translation>
    </message>
    <message>
        <source>With --import: each talk&apos;s discussion in minutes;
by default the file&apos;s own, or a fifth of the slot.</source>
        <translation>--import とともに: 各発表の討論時間 (分)。指定しなければ
ファイルの討論時間、それもなければ持ち時間の 5 分の 1。</translation>
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
        <translation>プログラムとしては大きすぎるファイルです</translation>
    </message>
    <message numerus="yes">
        <source>… and %n more lines that could not be read.</source>
        <translation>
            <numerusform>… ほかに読めなかった行が %n 行あります。</numerusform>
        </translation>
    </message>
    <message>
        <source>the file holds no talk</source>
        <translation>講演が 1 件もありません</translation>
    </message>
    <message>
        <source>title, speaker, presentation and discussion are needed</source>
        <translation>演題、講演者、口演時間、討論時間が必要です</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time in minutes (12, 12.5) or minutes and seconds (12:30)</source>
        <translation>「%1」は分 (12、12.5) または分:秒 (12:30) の時間ではありません</translation>
    </message>
    <message>
        <source>the presentation time is 0</source>
        <translation>口演時間が 0 です</translation>
    </message>
    <message>
        <source>presentation and discussion come to 546 minutes or more, longer than the clock can time</source>
        <translation>口演時間と討論時間の合計が 546 分以上で、計れる長さを超えています</translation>
    </message>
    <message>
        <source>the file is neither UTF-8 nor Shift_JIS (code page 932) text</source>
        <translation>UTF-8 としても Shift_JIS (コードページ 932) としても読めません</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>%1 行目: %2</translation>
    </message>
    <message>
        <source>%1: %2; the talk&apos;s line is kept and written with the next one.</source>
        <translation>%1: %2。この講演の行は残しておき、次の書き込みで書き出します。</translation>
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
</context>
<context>
    <name>RemoteView</name>
    <message>
        <source>Port %1 cannot be opened: %2</source>
        <translation>ポート %1 を開けません：%2</translation>
    </message>
</context>
<context>
    <name>ScheduleImport</name>
    <message>
        <source>the length is negative: the end comes before the start</source>
        <translation>長さが負です: 終了が開始より前になっています</translation>
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
        <translation>ID が「%1」の講演者がファイルにありません</translation>
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
        <source>no complete answer within 15 seconds</source>
        <translation>15 秒以内に応答が完了しませんでした</translation>
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
        <translation>点滅時間 %1 秒が口演に収まりません</translation>
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
        <translation>%1。既定の設定を使います。「exit」の際、元のファイルは %2 として残します。</translation>
    </message>
    <message>
        <source>the unusable %1 could not be kept, so it is not replaced</source>
        <translation>使えない %1 を残せなかったため、置き換えていません</translation>
    </message>
    <message>
        <source>%1 holds no usable tick count; 18000 is used, and the old file is kept as %2.</source>
        <translation>%1 に使える時間補正値がありません。18000 を使い、元のファイルは %2 として残しました。</translation>
    </message>
    <message>
        <source>%1 holds no usable tick count; 18000 is used.</source>
        <translation>%1 に使える時間補正値がありません。18000 を使います。</translation>
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
        <translation>講演者</translation>
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
        <translation>別の講演に移れるのは「reset」の後です。</translation>
    </message>
    <message>
        <source>No programme: put %1 in the working folder, or import one.</source>
        <translation>プログラムがありません。作業フォルダーに %1 を置くか、読み込んでください。</translation>
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
        <translation>計っている発表を表示します。</translation>
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
        <source>Makes both links anew; every open page is dropped.</source>
        <translation>二つのリンクを作り直します。開いているページはすべて閉じられます。</translation>
    </message>
    <message>
        <source>close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>viewers connected: %1</source>
        <translation>接続中の閲覧者：%1</translation>
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
</TS>
