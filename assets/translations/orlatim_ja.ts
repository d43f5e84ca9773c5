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
        <source>no talk could be read, so the programme is left as it was</source>
        <translation>講演を 1 件も読めなかったため、プログラムは元のままです</translation>
    </message>
    <message>
        <source>a quoted field is not closed</source>
        <translation>引用符で始まる欄が閉じていません</translation>
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
        <source>Programmes (*.csv);;All files (*)</source>
        <translation>プログラム (*.csv);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Another talk can be taken after &quot;reset&quot;.</source>
        <translation>別の講演に移れるのは「reset」の後です。</translation>
    </message>
    <message>
        <source>No programme: put %1 in the working folder, or import one.</source>
        <translation>プログラムがありません。作業フォルダーに %1 を置くか、読み込んでください。</translation>
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
</TS>
